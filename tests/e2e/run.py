"""Default answers, one run of 1000 experiments with 100 guests, then quit."""

from harness import check, check_mean, main


def journey(s):
    s.enter()
    check(s.value('お客人数') == '100', f'guest count shows {s.value("お客人数")!r}')
    check(s.value('実験回数') == '1000', f'trial count shows {s.value("実験回数")!r}')
    check(set(s.table().values()) == {''}, 'the table is not blank before the first run')

    counts = s.run()
    check(sum(counts.values()) == 1000, f'the counts add up to {sum(counts.values())}')
    # No experiment can end with a lowest balance above 1.
    check(counts[2] == counts[3] == counts[4] == 0,
          f'classes 2, 3, 4+ hold {counts[2]}, {counts[3]}, {counts[4]}')
    mean = s.value('不足枚数の平均')
    check_mean(counts, mean)
    # The exact expectation for 100 guests is -7.46 with a standard error of
    # 0.19 over 1000 experiments: only a broken engine leaves this range.
    check(-9.0 <= float(mean) <= -6.0, f'mean {mean} is far from -7.46')
    check(not s.enabled('実験開始'), 'the start button is still enabled after a run')
    check(s.enabled('終了') and s.enabled('初期化'), 'quit or reset stays disabled after a run')
    print('counts:', {b: c for b, c in counts.items() if c}, 'mean:', mean)
    s.screenshot('e2e_run.png')
    s.quit()


main(journey)
