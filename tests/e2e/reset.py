"""A run, a reset to 10 guests and 37 experiments, and a second run."""

from harness import GUESTS, check, check_mean, main


def journey(s):
    s.enter()
    s.run()
    s.click('初期化')

    s.window(GUESTS)
    check(set(s.table().values()) == {''}, 'the reset leaves counts in the table')
    for label in ('不足枚数の平均', 'お客人数', '実験回数'):
        check(s.value(label) == '', f'{label} still shows {s.value(label)!r} after the reset')
    check(s.enabled('実験開始'), 'the reset does not enable the start button')
    s.enter('10', '37')
    check(s.value('お客人数') == '10', f'guest count shows {s.value("お客人数")!r}')
    check(s.value('実験回数') == '37', f'trial count shows {s.value("実験回数")!r}')

    counts = s.run()
    check(sum(counts.values()) == 37, f'the counts add up to {sum(counts.values())}, not 37')
    # With 10 guests the lowest balance lies between -10 and 1.
    stray = {b: c for b, c in counts.items() if c and not -10 <= b <= 1}
    check(not stray, f'counts outside -10..1: {stray}')
    check_mean(counts, s.value('不足枚数の平均'))
    s.quit()


main(journey)
