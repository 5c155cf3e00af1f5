# SPDX-FileCopyrightText: トルミナの実験２ developers
# SPDX-License-Identifier: MIT

"""e2e.py [--desktop] BINARY DATA: one journey through the real program on a private X server, by
xdotool. Without D-Bus, as on a minimal machine; with --desktop, as on a desktop: a session bus and
the AT-SPI bus of its own, the program's accessibility on, and accessible_app() to read it."""
import contextlib, ctypes, os, re, shutil, signal, subprocess, sys, tempfile, time  # noqa: E401
import glob, importlib.util  # noqa: E401

MAIN, HELP = ' トルミナの実験２', ' トルミナの実験２＿ヘルプ（設問と操作方法）'
# Each button's centre in its window, in pixels from the layout.
AT = {'終了': (28, 12), 'HELP': (468, 12), '初期化': (524, 12), '実験開始': (492, 468), '閉じる': (584, 12)}
procs = []  # the processes started, the program last
DESKTOP = sys.argv[1:2] == ['--desktop']
BINARY, DATA = sys.argv[1 + DESKTOP:]


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


def click(name, title=MAIN):  # where the button is, whether or not the program listens
    left, top = re.search(r'Position: (\d+),(\d+)', x('getwindowgeometry', window(title))).groups()
    x('mousemove', int(left) + AT[name][0], int(top) + AT[name][1], 'click', 1)


def answer(title, text=''):  # keys go to the focused window: there is no window manager
    w = wait(lambda: (w := x('getwindowfocus')) and x('getwindowname', w) == title and w, title)
    x('type', '--delay', 30, text)  # type takes the rest of the line as text: no chaining
    x('key', 'Return')
    wait(lambda: w not in windows(), f'{title!r} to close', may_end=True)


def journey(guests=' お客人数の設定', trials=' 実験回数の設定'):
    answer(guests)
    answer(trials)
    icon = x('-id', window(MAIN), '_NET_WM_ICON', tool='xprop')
    assert re.findall(r'Icon \((\d+) x (\d+)\)', icon) == [('32', '32')], f'the icon: {icon}'
    # Clicks that queue up while the program is busy: only the first, HELP, may count.
    os.kill(procs[-1].pid, signal.SIGSTOP)
    for name in ('HELP', 'HELP', '実験開始', '初期化', '終了'):
        click(name)
    os.kill(procs[-1].pid, signal.SIGCONT)
    for _ in range(2):  # the help alone, and still alone a moment later
        wait(lambda: sorted(windows().values()) == [HELP], 'the help window alone')
        time.sleep(1)
    click('閉じる', HELP)
    answer(guests, '10')
    answer(trials, '37')
    for name in ('実験開始', '終了'):  # the quit cue is a FIFO, which must not hold up the end
        click(name)
    answer('トルミナの実験')
    assert procs[-1].wait(60) == 0, 'the exit status'


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


def expect_accessible_button(name, title=MAIN):  # a push button of that name in that window
    import pyatspi
    app = accessible_app()

    def button():
        window = next((w for w in app if w and w.name == title), None)
        return window and pyatspi.findDescendant(  # breadth first: depth first takes seconds
            window, lambda a: a.getRole() == pyatspi.ROLE_PUSH_BUTTON and a.name == name, True)
    accessible(button, f'push button {name} in{title}')


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
                  '-screen', '0', '1024x768x24', pass_fds=(f.fileno(),), stderr=subprocess.DEVNULL)
        os.environ['DISPLAY'] = ':' + wait(lambda: (n := open(f'{tmp}/display').read())
                                           .endswith('\n') and n.strip(), 'Xvfb')
        if DESKTOP:
            desktop_buses(tmp)
        else:
            no_buses(tmp)
        shutil.copy(f'{DATA}/pinpon.wav', tmp)  # and a FIFO as the quit cue
        os.mkfifo(f'{tmp}/endpinpon.wav')
        spawn(os.path.abspath(BINARY), cwd=tmp)  # it looks its cues up there
        if DESKTOP:
            expect_accessible_button('実験開始')
        journey()
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
