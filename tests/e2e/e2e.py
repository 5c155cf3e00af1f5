# SPDX-FileCopyrightText: トルミナの実験２ developers
# SPDX-License-Identifier: MIT

"""e2e.py [--desktop | --wm | --scale S] BINARY DATA: the program on a private X server, driven by
xdotool, for what needs one: input queued behind a busy program, focus across windows, the close
box, the icon; --desktop adds a session and an AT-SPI bus and reads what a screen reader reads;
--wm runs under a window manager; --scale puts it on a 1366 × 768 screen at that scale, under a
window manager that keeps a panel's room free."""
import contextlib, ctypes, os, re, shutil, signal, subprocess, sys, tempfile, time  # noqa: E401

MAIN, HELP = ' トルミナの実験２', ' トルミナの実験２＿ヘルプ（設問と操作方法）'
THEORY, GUESTS, TRIALS = ' トルミナの実験２＿理論と比べる', ' お客人数の設定', ' 実験回数の設定'
EVENING = ' トルミナの実験２＿一晩の様子'
# Each button's centre in its window's laid-out area (the main window's under its menu bar), in
# pixels from the layout, and the areas' sizes.
AT = {'終了': (28, 12), 'HELP': (468, 12), '初期化': (524, 12), '実験開始': (492, 468), '閉じる': (584, 12)}
AREA = {MAIN: (553, 512), HELP: (617, 496)}
procs = []  # the processes started, the program last
SCALE = sys.argv[2] if sys.argv[1] == '--scale' else None
DESKTOP, WM = sys.argv[1] == '--desktop', sys.argv[1] == '--wm' or SCALE
PANEL = 32  # the height of the panel at the foot of a small screen
BINARY, DATA = sys.argv[-2:]


def spawn(*argv, **kw):  # own process group; killed if we die
    procs.append(subprocess.Popen(argv, stdin=subprocess.DEVNULL, start_new_session=True, **kw,
                                  preexec_fn=lambda: ctypes.CDLL(None).prctl(1, signal.SIGKILL)))


def wait(probe, what, may_end=False):  # a minute or more; may_end: the program may have ended
    for _ in range(600):
        assert may_end or procs[-1].poll() is None, f'{procs[-1].args[0]} ended before {what}'
        if value := probe():
            return value
        time.sleep(0.1)
    raise TimeoutError(f'no {what}')


def x(*args, tool='xdotool'):  # may fail: no match, a window just closed; a loaded machine is slow
    return subprocess.run([tool, *map(str, args)], capture_output=True, text=True,
                          timeout=60).stdout.rstrip('\n')


def titles():  # of the visible X windows: id -> title
    return {w: x('getwindowname', w) for w in x('search', '--onlyvisible', '--name', '.').split()}


def window(title):
    return wait(lambda: next((w for w, t in titles().items() if t == title), None), title)


def shown(*expected):  # exactly these windows on the screen
    wait(lambda: sorted(titles().values()) == sorted(expected), f'{expected} alone')


def focused(title):
    wait(lambda: x('getwindowname', x('getwindowfocus')) == title, f'{title} focused')


def geometry(title, frame=False):  # left, top, width, height on the screen, with the frame or not
    info = x('-id', w := window(title), tool='xwininfo')
    left, top, width, height = (int(re.search(rf'{field}: +(-?\d+)', info)[1]) for field in (
        'Absolute upper-left X', 'Absolute upper-left Y', 'Width', 'Height'))
    extents = x('-id', w, '_NET_FRAME_EXTENTS', tool='xprop') if frame else ''
    l, r, t, b = map(int, re.findall(r'\d+', extents.partition('=')[2]) or [0] * 4)
    return left - l, top - t, width + l + r, height + t + b


def click(name, title=MAIN):  # where the button is, at the window's scale, whether it listens or not
    left, top, width, height = geometry(title)
    scale = width / AREA[title][0]
    top += height - round(AREA[title][1] * scale)  # the area fills the window below any menu bar
    x('mousemove', left + round(AT[name][0] * scale), top + round(AT[name][1] * scale), 'click', 1)


def answer(title, text='', key='Return'):  # keys go to the focused box
    w = wait(lambda: (w := x('getwindowfocus')) and x('getwindowname', w) == title and w, title)
    x('type', '--delay', 30, text)  # type takes the rest of the line as text: no chaining
    x('key', key)
    # This box's own state: a search that fails as another window closes would lose it.
    wait(lambda: 'IsViewable' not in x('-id', w, tool='xwininfo'), f'{title!r} to close', may_end=True)


def close_box():  # what a window manager sends when the user clicks the main window's close box
    from Xlib import X, display, protocol
    d, main = display.Display(), int(window(MAIN))
    for _ in range(12):  # Qt 6.4 may hold it until the next X event, which a desktop soon sends
        w = d.create_resource_object('window', main)  # and this bare server never: so again
        w.send_event(protocol.event.ClientMessage(window=w, client_type=d.intern_atom('WM_PROTOCOLS'),
                     data=(32, [d.intern_atom('WM_DELETE_WINDOW'), X.CurrentTime, 0, 0, 0])))
        d.flush()
        with contextlib.suppress(subprocess.TimeoutExpired):
            return procs[-1].wait(5)
    raise TimeoutError('the close box did not end the program')


def stopped(act):  # act on a program that is busy: everything queues up until it goes on
    os.kill(procs[-1].pid, signal.SIGSTOP)
    try:
        act()
    finally:
        os.kill(procs[-1].pid, signal.SIGCONT)


def journey():
    answer(GUESTS)
    answer(TRIALS)
    icon = x('-id', window(MAIN), '_NET_WM_ICON', tool='xprop')
    assert re.findall(r'Icon \((\d+) x (\d+)\)', icon) == [('32', '32')], f'the icon: {icon}'
    hear_table()
    # Clicks that queue up while the program is busy: only the first, HELP, may count.
    stopped(lambda: [click(name) for name in ('HELP', 'HELP', '実験開始', '初期化', '終了')])
    for _ in range(2):  # the help alone, and still alone a moment later
        shown(HELP)
        time.sleep(1)
    click('閉じる', HELP)
    answer(GUESTS, '10')
    answer(TRIALS, '37')
    # Enter runs the experiment; pressed again, and Space after it, it throws nothing away.
    x('windowfocus', '--sync', window(MAIN))
    for key in ('Return', 'Return', 'space'):
        x('key', key)
        time.sleep(0.15)  # a pupil's quick second press
    time.sleep(1)
    shown(MAIN)
    hear_table(trials=37, said=r'不足枚数の平均 -?[0-9]*\.[0-9]（お客人数 10、実験回数 37）。次の実験は［初期化］から。')
    for key, side in (('F2', THEORY), ('F3', EVENING)):  # each opens one side window, Esc closes
        focused(MAIN)  # it and the keyboard comes back; Esc and the key queued behind a busy
        x('key', key)  # moment close it and open another; End ends an evening
        for close in (lambda: x('key', 'Escape', key), lambda: x('key', 'Escape')):
            shown(MAIN, side)
            focused(side)
            if side == EVENING:
                x('key', 'End')
            if DESKTOP and side == EVENING:  # the answer, as a screen reader finds it
                accessible(lambda at, app: at.findDescendant(
                    app, lambda a: a.name.startswith('この夜の不足枚数は'), True), 'the answer')
            stopped(close)
        shown(MAIN)
        hear_table(trials=37, said='不足枚数の平均 .*')  # the run still there, the focus back on it
    # A reset queued behind a run comes after it, never inside it.
    click('初期化')
    answer(GUESTS, '1000')
    answer(TRIALS, '10000')
    stopped(lambda: [click(name) for name in ('実験開始', '初期化')])
    answer(GUESTS, '10')
    answer(TRIALS, '5')
    hear_table(labels={'お客人数': '10', '実験回数': '5'})
    # No to quitting, then the close box: the program ends at once. (Qt ignores a close box
    # while a box is open; a confirmation the close ends unanswered is MainWindowTest's.)
    click('終了')  # the quit cue is a FIFO, which must not hold up the end
    answer('トルミナの実験', key='Escape')
    assert close_box() == 0, 'the exit status'


def enter_after_reset():
    """Under a window manager, which gives the focus back as each box closes, Enter runs after a
    reset's questions as after the first: F2 then opens the theory window; a reset would ask again."""
    for after in ('the first questions', 'a reset'):
        answer(GUESTS, '10')
        answer(TRIALS, '5')
        focused(MAIN)
        x('key', 'Return', 'F2')
        seen = wait(lambda: {THEORY, GUESTS} & set(titles().values()), 'the theory or a box')
        assert seen == {THEORY}, f'Enter after {after} did not run: {titles()}'
        focused(THEORY)
        x('key', 'Escape')
        shown(MAIN)
        click('初期化')
    answer(GUESTS, key='Escape')
    answer('確認')
    assert procs[-1].wait(60) == 0, 'the exit status'


def small_screen():  # every window, 実験開始 included, inside the free area; at 100 % side by side
    answer(GUESTS)
    answer(TRIALS)
    x('windowfocus', '--sync', window(MAIN))
    x('key', 'Return')  # a run, for the theory window
    for key, title in (('F2', THEORY), ('F3', EVENING)):
        focused(MAIN)
        x('key', key)
        inside(title)
        main, side = geometry(MAIN, frame=True), geometry(title, frame=True)
        assert SCALE != '1' or main[0] + main[2] <= side[0] or side[0] + side[2] <= main[0], \
            f'{title} at {side} over the main window at {main}'
        x('key', 'Escape')
        shown(MAIN)
    for title, leave in ((MAIN, 'HELP'), (HELP, '閉じる')):
        inside(title)
        click(leave, title)
    answer(GUESTS)
    answer(TRIALS)
    assert close_box() == 0, 'the exit status'


def inside(title):  # framed, and above the panel
    left, top, width, height = geometry(title, frame=True)
    assert left >= 0 and top >= 0 and left + width <= 1366 and top + height <= 768 - PANEL, \
        f'{title} at {width}x{height}+{left}+{top} is not inside the free 1366x{768 - PANEL}'


def accessible(find, what):  # find's answer once the program's tree gives one, over AT-SPI
    import pyatspi
    from gi.repository import GLib
    pyatspi.setTimeout(60000, 60000)

    def probe():
        with contextlib.suppress(GLib.Error):  # not there yet, or it timed out
            app = next((a for a in pyatspi.Registry.getDesktop(0) if a and a.name == 'torumina'))
            return find(pyatspi, app)
    return wait(probe, f'{what} over AT-SPI')


def hear_table(trials=0, said='', labels=None):  # the 7 × 9 table, as read; no trials: blank
    if not DESKTOP:
        return
    import pyatspi
    table = accessible(lambda at, app: at.findDescendant(  # breadth first: depth first takes seconds
        app, lambda a: a.getRole() == at.ROLE_TABLE, True), 'the table')
    cells = table.queryTable()
    read = [cells.getAccessibleAt(r, c).name for r in range(cells.nRows) for c in range(cells.nColumns)]
    assert len(read) == 63, f'{cells.nRows} x {cells.nColumns} cells'
    assert sum(map(int, read)) == trials if trials else read == [''] * 63, f'the counts read: {read}'
    assert re.fullmatch(said, table.description), table.description
    assert not trials or table.getState().contains(pyatspi.STATE_FOCUSED), 'the focus on the result'
    heard = {a.description: a.name for a in pyatspi.findAllDescendants(
        table.parent, lambda a: a.getRole() == pyatspi.ROLE_LABEL and a.description in (labels or {}))}
    assert heard == (labels or {}), heard


def desktop_buses(tmp):  # the program finds the AT-SPI bus through the session bus
    with open(f'{tmp}/bus', 'w') as f:
        spawn('dbus-daemon', '--session', '--nofork', f'--address=unix:dir={tmp}',
              f'--print-address={f.fileno()}', pass_fds=(f.fileno(),), stderr=subprocess.DEVNULL)
    os.environ['DBUS_SESSION_BUS_ADDRESS'] = wait(lambda: (a := open(f'{tmp}/bus').read())
                                                  .endswith('\n') and a.strip(), 'session bus')
    spawn('/usr/libexec/at-spi-bus-launcher', '--launch-immediately', stdout=subprocess.DEVNULL,
          stderr=subprocess.DEVNULL)
    wait(lambda: x('--session', '--print-reply', '--dest=org.freedesktop.DBus',
                   '/org/freedesktop/DBus', 'org.freedesktop.DBus.NameHasOwner',
                   'string:org.a11y.Bus', tool='dbus-send').endswith('true'), 'AT-SPI bus')
    os.environ['QT_LINUX_ACCESSIBILITY_ALWAYS_ON'] = '1'  # as when a screen reader runs


def end_all():  # each process with its group, the program first; then the daemons' orphans
    for p, sig in [(p, s) for p in reversed(procs) for s in (signal.SIGTERM, signal.SIGKILL)]:
        with contextlib.suppress(OSError, subprocess.TimeoutExpired):
            os.killpg(p.pid, sig)
            p.wait(5)
    for _ in range(600):
        with contextlib.suppress(ChildProcessError):
            if os.waitpid(-1, os.WNOHANG)[0]:
                continue
        if not (orphans := x('-P', os.getpid(), tool='pgrep').split()):
            return
        for pid in orphans:
            with contextlib.suppress(OSError):
                os.kill(int(pid), signal.SIGKILL)
        time.sleep(0.1)


ctypes.CDLL(None).prctl(36, 1)  # PR_SET_CHILD_SUBREAPER: the daemons' children come to us
signal.signal(signal.SIGTERM, lambda *_: sys.exit('terminated'))
with tempfile.TemporaryDirectory() as tmp:
    try:
        for key in [k for k in os.environ if re.match('QT_|DBUS|AT_SPI|DISPLAY|WAYLAND|X|LC_', k)]:
            del os.environ[key]
        os.environ.update(HOME=tmp, XDG_RUNTIME_DIR=tmp, LANG='C.UTF-8')
        with open(f'{tmp}/display', 'w') as f:  # -noreset: up when its last client leaves
            spawn('Xvfb', '-displayfd', str(f.fileno()), '-noreset', '-nolisten', 'tcp', '-screen',
                  '0', '1366x768x24' if SCALE else '1024x768x24', pass_fds=(f.fileno(),),
                  stderr=subprocess.DEVNULL)
        os.environ['DISPLAY'] = ':' + wait(lambda: (n := open(f'{tmp}/display').read())
                                           .endswith('\n') and n.strip(), 'Xvfb')
        if DESKTOP:
            desktop_buses(tmp)
        else:  # even where libdbus would start a session bus itself (dbus-x11's dbus-launch)
            os.environ['DBUS_SESSION_BUS_ADDRESS'] = f'unix:path={tmp}/no-bus'
        if SCALE:
            os.environ['QT_SCALE_FACTOR'] = SCALE
        if WM:  # on a small screen keeping a panel's room at the foot free, as a desktop does
            with open(f'{tmp}/rc.xml', 'w') as f:
                f.write('<openbox_config xmlns="http://openbox.org/3.4/rc"><margins><bottom>'
                        f'{PANEL if SCALE else 0}</bottom></margins></openbox_config>')
            spawn('openbox', '--sm-disable', '--config-file', f.name, stderr=subprocess.DEVNULL)
            wait(lambda: 'window id' in x('-root', '_NET_SUPPORTING_WM_CHECK', tool='xprop'), 'openbox')
        shutil.copy(f'{DATA}/pinpon.wav', tmp)  # and a FIFO as the quit cue
        os.mkfifo(f'{tmp}/endpinpon.wav')
        spawn(os.path.abspath(BINARY), cwd=tmp)  # it looks its cues up there
        small_screen() if SCALE else enter_after_reset() if WM else journey()
    except BaseException:
        with contextlib.suppress(Exception):
            print('windows on the screen:', titles())
        raise
    finally:
        end_all()
