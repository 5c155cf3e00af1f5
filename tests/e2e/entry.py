"""A refused guest count, an accepted one, then Escape and Yes end the program."""

from harness import CONFIRM, GUESTS, QUIT_PROMPT, TRIALS, check, main, Atspi


def journey(s):
    s.window(GUESTS)
    check(s.field(GUESTS) == '100', f'the guest box starts with {s.field(GUESTS)!r}')
    s.answer(GUESTS, '5')
    # Out of range: the same question again, with the default, not the typed text.
    s.window(GUESTS)
    check(s.field(GUESTS) == '100', f'the guest box comes back with {s.field(GUESTS)!r}')
    s.answer(GUESTS, '250')

    s.window(TRIALS)
    check(s.field(TRIALS) == '1000', f'the trial box starts with {s.field(TRIALS)!r}')
    check(s.value('お客人数') == '250', f'guest count shows {s.value("お客人数")!r}')
    s.answer(TRIALS, key='Escape')

    s.window(CONFIRM)
    check(s.find(CONFIRM, Atspi.Role.LABEL, name=QUIT_PROMPT),
          f'the {CONFIRM!r} box does not ask {QUIT_PROMPT!r}')
    s.answer(CONFIRM)
    status = s.wait_exit()
    check(status == 0, f'exit status {status} after Yes')
    check(not s.windows(), f'windows left after the end: {s.windows()}')


main(journey)
