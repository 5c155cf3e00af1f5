"""After a run, HELP replaces the main window; 閉じる brings back a new one."""

from harness import GUESTS, HELP, MAIN, check, main


def journey(s):
    s.enter()
    s.run()
    s.click('HELP')

    s.window(HELP, focused=False)
    titles = list(s.windows().values())
    check(MAIN not in titles, f'the main window is still shown beside the help: {titles}')

    def help_lines():
        text = next((n.description for n in s.nodes(HELP) if '【問　　題】' in n.description), '')
        return text.split('\n') if text else None
    lines = s.wait(help_lines, 10, 'the help text')
    check(len(lines) == 28, f'the help has {len(lines)} lines, not 28')
    check(lines[0] == '' and lines[1] == '　【問　　題】', f'the help begins {lines[:2]}')
    check(lines[27].endswith('最初から実験をやり直せます。'), f'the help ends {lines[27]!r}')
    s.screenshot('e2e_help.png')

    s.click('閉じる', window=HELP)
    s.window(GUESTS)
    titles = list(s.windows().values())
    check(MAIN in titles and HELP not in titles, f'after 閉じる the windows are {titles}')
    check(set(s.table().values()) == {''}, 'the new main window shows the old counts')
    check(s.value('お客人数') == '', 'the new main window shows the old guest count')
    check(s.enabled('実験開始'), 'the new main window has the start button disabled')
    s.enter()
    check(s.value('実験回数') == '1000', f'trial count shows {s.value("実験回数")!r}')
    s.quit()


main(journey)
