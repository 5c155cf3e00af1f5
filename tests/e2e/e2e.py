# SPDX-FileCopyrightText: トルミナの実験２ developers
# SPDX-License-Identifier: MIT

"""e2e.py [--desktop | --scale S] BINARY DATA: one journey through the real program on a private X
server, by xdotool. Without D-Bus, as on a minimal machine; with --desktop, as on a desktop: a
session bus and the AT-SPI bus of its own, the program's accessibility on, and what a screen reader
reads checked on the way; with --scale, a 1366 × 768 classroom screen at that scale factor, on which
both windows must lie whole."""
import contextlib, ctypes, os, re, shutil, signal, subprocess, sys, tempfile, time  # noqa: E401
import glob, importlib.util  # noqa: E401

MAIN, HELP = ' トルミナの実験２', ' トルミナの実験２＿ヘルプ（設問と操作方法）'
THEORY = ' トルミナの実験２＿理論と比べる'
# Each button's centre in its window, in pixels from the layout, and the windows' widths.
AT = {'終了': (28, 12), 'HELP': (468, 12), '初期化': (524, 12), '実験開始': (492, 468), '閉じる': (584, 12)}
WIDTH = {MAIN: 553, HELP: 617}
procs = []  # the processes started, the program last
DESKTOP = sys.argv[1:2] == ['--desktop']
SCALE = sys.argv[2] if sys.argv[1:2] == ['--scale'] else None
WM = sys.argv[1:2] == ['--wm']
BINARY, DATA = sys.argv[-2:]
HELP_TEXT = f'{DATA}/../tests/help/help_text.txt'  # the lines the help window must read


def spawn(*argv, **kw):  # own process group; killed if we die
    procs.append(subprocess.Popen(argv, stdin=subprocess.DEVNULL, start_new_session=True, **kw,
                                  preexec_fn=lambda: ctypes.CDLL(None).prctl(1, signal.SIGKILL)))


def wait(probe, what, may_end=False, tries=600):  # a minute or more; may_end: the program
    for _ in range(tries):
        assert may_end or procs[-1].poll() is None, f'{procs[-1].args[0]} ended before {what}'
        if value := probe():
            return value
        time.sleep(0.1)
    raise TimeoutError(f'no {what}')


def x(*args, tool='xdotool'):  # may fail: no match, a window just closed; a loaded machine is slow
    return subprocess.run([tool, *map(str, args)], capture_output=True, text=True,
                          timeout=60).stdout.rstrip('\n')


def windows():  # visible X windows: id -> title
    return {w: x('getwindowname', w) for w in x('search', '--onlyvisible', '--name', '.').split()}


def window(title):
    return wait(lambda: next((w for w, t in windows().items() if t == title), None), title)


def geometry(title):  # left, top, width, height on the screen
    return tuple(map(int, re.search(r'Position: (\d+),(\d+).*Geometry: (\d+)x(\d+)',
                                    x('getwindowgeometry', window(title)), re.S).groups()))


def click(name, title=MAIN):  # where the button is, at the window's scale, whether or not it listens
    left, top, width, _ = geometry(title)
    scale = width / WIDTH[title]
    x('mousemove', left + round(AT[name][0] * scale), top + round(AT[name][1] * scale), 'click', 1)


def keys(title, *names):  # to that window, focused first: there is no window manager
    w = window(title)
    x('windowfocus', '--sync', w)
    for name in names:
        x('key', name)
        time.sleep(0.15)  # a pupil's quick second press


def answer(title, text='', key='Return'):  # keys go to the focused box
    w = wait(lambda: (w := x('getwindowfocus')) and x('getwindowname', w) == title and w, title)
    x('type', '--delay', 30, text)  # type takes the rest of the line as text: no chaining
    x('key', key)
    wait(lambda: w not in windows(), f'{title!r} to close', may_end=True)


def close_box(title):  # what a window manager sends when the user clicks a window's close box
    xlib = ctypes.CDLL('libX11.so.6')
    xlib.XOpenDisplay.restype = ctypes.c_void_p
    xlib.XInternAtom.restype = ctypes.c_ulong
    xlib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    xlib.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                                ctypes.c_void_p]
    xlib.XCloseDisplay.argtypes = [ctypes.c_void_p]

    class ClientMessage(ctypes.Structure):  # XClientMessageEvent, padded to an XEvent
        _fields_ = [('type', ctypes.c_int), ('serial', ctypes.c_ulong), ('send_event', ctypes.c_int),
                    ('display', ctypes.c_void_p), ('window', ctypes.c_ulong),
                    ('message_type', ctypes.c_ulong), ('format', ctypes.c_int),
                    ('data', ctypes.c_long * 5), ('pad', ctypes.c_long * 12)]
    display = xlib.XOpenDisplay(None)
    w = int(window(title))
    message = ClientMessage(type=33, window=w, format=32,
                            message_type=xlib.XInternAtom(display, b'WM_PROTOCOLS', 0))
    message.data[0] = xlib.XInternAtom(display, b'WM_DELETE_WINDOW', 0)
    xlib.XSendEvent(display, w, 0, 0, ctypes.byref(message))
    xlib.XCloseDisplay(display)


def stopped(act):  # act on a program that is busy: everything queues up until it goes on
    os.kill(procs[-1].pid, signal.SIGSTOP)
    try:
        act()
    finally:
        os.kill(procs[-1].pid, signal.SIGCONT)


def mean_cell():  # the pixels inside the main window's mean cell, read by Xlib
    xlib = ctypes.CDLL('libX11.so.6')
    xlib.XOpenDisplay.restype = xlib.XGetImage.restype = ctypes.c_void_p
    xlib.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, *[ctypes.c_int] * 2,
                               *[ctypes.c_uint] * 2, ctypes.c_ulong, ctypes.c_int]
    display = ctypes.c_void_p(xlib.XOpenDisplay(None))
    image = xlib.XGetImage(display, int(window(MAIN)), 356, 460, 66, 18, 2**64 - 1, 2)  # ZPixmap
    data = ctypes.c_void_p.from_address(image + 16).value  # XImage: 4 ints, then char *data
    cell = ctypes.string_at(data, ctypes.c_int.from_address(image + 44).value * 18)
    xlib.XCloseDisplay(display)
    return cell


def compare_with_theory():  # F2 opens one theory window and Esc closes it; the run stays
    shown = wait(lambda: min((cell := mean_cell())[::4]) < 128 and cell, 'the mean shown')
    for _ in range(2):  # and F2 again, with the keyboard back on the main window
        wait(lambda: x('getwindowname', x('getwindowfocus')) == MAIN, 'the main window focused')
        x('key', 'F2')
        wait(lambda: sorted(windows().values()) == sorted([MAIN, THEORY]), 'one theory window')
        wait(lambda: x('getwindowname', x('getwindowfocus')) == THEORY, 'the theory focused')
        x('key', 'Escape')
        wait(lambda: sorted(windows().values()) == [MAIN], 'the theory window to close')
        wait(lambda: mean_cell() == shown, 'the run still shown')


def journey(guests=' お客人数の設定', trials=' 実験回数の設定'):
    answer(guests)
    answer(trials)
    icon = x('-id', window(MAIN), '_NET_WM_ICON', tool='xprop')
    assert re.findall(r'Icon \((\d+) x (\d+)\)', icon) == [('32', '32')], f'the icon: {icon}'
    read_windows_and_empty_table()
    # Clicks that queue up while the program is busy: only the first, HELP, may count.
    stopped(lambda: [click(name) for name in ('HELP', 'HELP', '実験開始', '初期化', '終了')])
    for _ in range(2):  # the help alone, and still alone a moment later
        wait(lambda: sorted(windows().values()) == [HELP], 'the help window alone')
        time.sleep(1)
    read_help_text()
    click('閉じる', HELP)
    answer(guests, '10')
    answer(trials, '37')
    # Enter runs the experiment; pressed again, and Space after it, it throws nothing away.
    keys(MAIN, 'Return', 'Return', 'space')
    time.sleep(1)
    assert sorted(windows().values()) == [MAIN], f'the main window alone: {windows()}'
    read_result(10, 37)
    compare_with_theory()
    # A reset queued behind a run comes after it, never inside it.
    click('初期化')
    answer(guests, '1000')
    answer(trials, '10000')
    stopped(lambda: [click(name) for name in ('実験開始', '初期化')])
    answer(guests, '10')
    answer(trials, '5')
    read_blank_table(10, 5)
    # No, then Esc in an entry box and the close box at once: the program ends at once.
    click('終了')  # the quit cue is a FIFO, which must not hold up the end
    answer('トルミナの実験', key='Escape')
    click('初期化')
    window(guests)
    stopped(lambda: (x('key', 'Escape'), close_box(MAIN)))
    started = time.monotonic()
    assert procs[-1].wait(60) == 0, 'the exit status'
    print(f'ended {time.monotonic() - started:.2f} s after Esc and the close box')


def small_screen(guests=' お客人数の設定', trials=' 実験回数の設定'):
    """Both windows, 実験開始 included, lie inside the screen."""
    def inside(title):
        left, top, width, height = geometry(title)
        assert left >= 0 and top >= 0 and left + width <= 1366 and top + height <= 768, \
            f'{title} at {width}x{height}+{left}+{top} is not inside the 1366x768 screen'
    answer(guests)
    answer(trials)
    inside(MAIN)
    click('HELP')
    inside(HELP)
    click('閉じる', HELP)
    answer(guests)
    answer(trials)
    close_box(MAIN)
    assert procs[-1].wait(60) == 0, 'the exit status'


def enter_after_reset(guests=' お客人数の設定', trials=' 実験回数の設定'):
    """Under a window manager, which gives the focus back as each box closes, Enter runs after a
    reset's questions as after the first: F2 then opens the theory window; a reset would ask again."""
    for after in ('the first questions', 'a reset'):
        answer(guests, '10')
        answer(trials, '5')
        wait(lambda: x('getwindowname', x('getwindowfocus')) == MAIN, 'the main window focused')
        x('key', 'Return', 'F2')
        shown = wait(lambda: {THEORY, guests} & set(windows().values()), 'the theory or a box')
        assert shown == {THEORY}, f'Enter after {after} did not run: {windows()}'
        keys(THEORY, 'Escape')
        wait(lambda: sorted(windows().values()) == [MAIN], 'the theory window to close')
        # 初期化 where xwininfo puts it: xdotool's geometry counts the frame twice
        info = x('-id', window(MAIN), tool='xwininfo')
        left, top = (int(re.search(rf'Absolute upper-left {a}: +(-?\d+)', info)[1]) for a in 'XY')
        x('mousemove', left + AT['初期化'][0], top + AT['初期化'][1], 'click', 1)
    answer(guests, key='Escape')
    answer('確認')
    assert procs[-1].wait(60) == 0, 'the exit status'


def read_windows_and_empty_table():  # what a screen reader finds as the main window opens
    if not DESKTOP:
        return
    main = accessible_window(MAIN)
    assert main.getRoleName() == 'frame', f'the main window is a {main.getRoleName()}'
    table = accessible_table().queryTable()
    assert (table.nRows, table.nColumns) == (7, 9), f'{table.nRows} x {table.nColumns} cells'
    assert table.getColumnHeader(0).name == '～  -57', table.getColumnHeader(0).name
    assert all(table.getAccessibleAt(r, c).name == '' for r in range(7) for c in range(9))


def read_help_text():  # the help text, line by line, as a screen reader reads it
    if not DESKTOP:
        return
    import pyatspi
    help = accessible_window(HELP)
    assert help.getRoleName() == 'frame', f'the help window is a {help.getRoleName()}'
    view = accessible(lambda: pyatspi.findDescendant(help, lambda a: a.name == 'ヘルプ', True),
                      'the help text')
    text, lines, offset = view.queryText(), [], 0
    while offset < text.characterCount:
        line, start, end = text.getTextAtOffset(offset, pyatspi.TEXT_BOUNDARY_LINE_START)
        lines.append(line.rstrip('\n'))
        offset = max(end, offset + 1)
    expected = open(HELP_TEXT, encoding='utf-8').read().split('\n')[:-1]
    assert lines[1:] == expected[1:] and len(lines) + (text.getText(0, 1) == '\n') >= 28, \
        f'the help text read by line: {lines}'


def read_result(guests, trials):  # the result, where the focus lands after a run
    if not DESKTOP:
        return
    import pyatspi
    table = accessible_table()
    cells = table.queryTable()
    counts = [cells.getAccessibleAt(r, c).name for r in range(7) for c in range(9)]
    assert sum(map(int, counts)) == trials, f'the counts read: {counts}'
    assert table.getState().contains(pyatspi.STATE_FOCUSED), 'the focus is on the result'
    assert re.fullmatch(rf'不足枚数の平均 -?[0-9]*\.[0-9]（お客人数 {guests}、実験回数 {trials}）。'
                        r'次の実験は［初期化］から。', table.description), table.description


def read_blank_table(guests, trials):  # after a reset: the new parameters, a blank table
    if not DESKTOP:
        return
    import pyatspi
    main = accessible_window(MAIN)
    shown = {a.description: a.name for a in pyatspi.findAllDescendants(
        main, lambda a: a.getRole() == pyatspi.ROLE_LABEL and a.description in ('お客人数', '実験回数'))}
    assert shown == {'お客人数': str(guests), '実験回数': str(trials)}, shown
    cells = accessible_table().queryTable()
    assert all(cells.getAccessibleAt(r, c).name == '' for r in range(7) for c in range(9))


def no_buses(tmp):  # even where libdbus would start a session bus itself (dbus-x11's dbus-launch)
    os.environ['DBUS_SESSION_BUS_ADDRESS'] = f'unix:path={tmp}/no-bus'


def desktop_buses(tmp):  # the program finds the AT-SPI bus through the session bus
    launcher = '/usr/libexec/at-spi-bus-launcher'
    needed = {'dbus-daemon': shutil.which('dbus-daemon'), 'dbus-bin': shutil.which('dbus-send'),
              'at-spi2-core': os.path.exists(launcher),
              'python3-pyatspi': importlib.util.find_spec('pyatspi')}
    missing = [package for package, there in needed.items() if not there]
    assert not missing, f'--desktop needs {" ".join(missing)}: make deps installs them'
    with open(f'{tmp}/bus', 'w') as f:
        spawn('dbus-daemon', '--session', '--nofork', f'--address=unix:dir={tmp}',
              f'--print-address={f.fileno()}', pass_fds=(f.fileno(),), stderr=subprocess.DEVNULL)
    os.environ['DBUS_SESSION_BUS_ADDRESS'] = wait(lambda: (a := open(f'{tmp}/bus').read())
                                                  .endswith('\n') and a.strip(), 'session bus')
    spawn(launcher, '--launch-immediately', stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    wait(lambda: x('--session', '--print-reply', '--dest=org.freedesktop.DBus',
                   '/org/freedesktop/DBus', 'org.freedesktop.DBus.NameHasOwner',
                   'string:org.a11y.Bus', tool='dbus-send').endswith('true'), 'AT-SPI bus')
    os.environ['QT_LINUX_ACCESSIBILITY_ALWAYS_ON'] = '1'  # as when a screen reader runs


def accessible(probe, what, seconds=60):  # probe's answer once the program's tree gives one
    from gi.repository import GLib
    deadline = time.monotonic() + seconds  # a walk of the tree may take longer than a try

    def answer():
        assert time.monotonic() < deadline, f'no {what} over AT-SPI in {seconds} s'
        with contextlib.suppress(GLib.Error):  # not there yet, or it timed out
            return probe()
    return wait(answer, f'{what} over AT-SPI')


def accessible_app():
    """With --desktop, the program's application in the AT-SPI tree as a pyatspi Accessible (found
    by its name, torumina); otherwise None. A call on it waits up to a minute for the program."""
    if not DESKTOP:
        return None
    import pyatspi
    pyatspi.setTimeout(60000, 60000)
    return accessible(lambda: next((a for a in pyatspi.Registry.getDesktop(0)
                                    if a and a.name == 'torumina'), None), 'torumina')


def accessible_window(title):
    app = accessible_app()
    return accessible(lambda: next((w for w in app if w and w.name == title), None), title)


def accessible_table():
    import pyatspi
    main = accessible_window(MAIN)
    return accessible(lambda: pyatspi.findDescendant(  # breadth first: depth first takes seconds
        main, lambda a: a.getRole() == pyatspi.ROLE_TABLE, True), 'the table')


def children():  # ours, the daemons' children among them once their parents end (subreaper)
    for stat in glob.glob('/proc/[0-9]*/stat'):
        with contextlib.suppress(OSError, IndexError, ValueError):
            if int(open(stat).read().rsplit(')', 1)[1].split()[1]) == os.getpid():
                yield int(stat.split('/')[2])


def end_children():  # whatever is left, after each process's group has ended
    for _ in range(600):
        try:
            if os.waitpid(-1, os.WNOHANG)[0]:
                continue
        except ChildProcessError:
            return
        for pid in children():
            with contextlib.suppress(OSError):
                os.kill(pid, signal.SIGKILL)
        time.sleep(0.1)
    raise TimeoutError('children that do not end')


ctypes.CDLL(None).prctl(36, 1)  # PR_SET_CHILD_SUBREAPER: the daemons' children come to us
signal.signal(signal.SIGTERM, lambda *_: sys.exit('terminated'))
with tempfile.TemporaryDirectory() as tmp:
    try:
        for key in [k for k in os.environ if re.match('QT_|DBUS|AT_SPI|DISPLAY|WAYLAND|X|LC_', k)]:
            del os.environ[key]
        os.environ.update(HOME=tmp, XDG_RUNTIME_DIR=tmp, LANG='C.UTF-8')
        with open(f'{tmp}/display', 'w') as f:  # -noreset: up when its last client leaves
            spawn('Xvfb', '-displayfd', str(f.fileno()), '-noreset', '-nolisten', 'tcp',
                  '-screen', '0', '1366x768x24' if SCALE else '1024x768x24', pass_fds=(f.fileno(),), stderr=subprocess.DEVNULL)
        os.environ['DISPLAY'] = ':' + wait(lambda: (n := open(f'{tmp}/display').read())
                                           .endswith('\n') and n.strip(), 'Xvfb')
        if DESKTOP:
            desktop_buses(tmp)
        else:
            no_buses(tmp)
        if SCALE:
            os.environ['QT_SCALE_FACTOR'] = SCALE
        if WM:
            spawn('openbox', '--sm-disable', stderr=subprocess.DEVNULL)
            wait(lambda: 'window id' in x('-root', '_NET_SUPPORTING_WM_CHECK', tool='xprop'), 'openbox')
        shutil.copy(f'{DATA}/pinpon.wav', tmp)  # and a FIFO as the quit cue
        os.mkfifo(f'{tmp}/endpinpon.wav')
        spawn(os.path.abspath(BINARY), cwd=tmp)  # it looks its cues up there
        small_screen() if SCALE else enter_after_reset() if WM else journey()
    except BaseException:
        with contextlib.suppress(Exception):
            print('windows on the screen:', windows())
        raise
    finally:  # each process with its group, the program first
        for p, sig in [(p, s) for p in reversed(procs) for s in (signal.SIGTERM, signal.SIGKILL)]:
            with contextlib.suppress(OSError, subprocess.TimeoutExpired):
                os.killpg(p.pid, sig)
                p.wait(5)
        end_children()
