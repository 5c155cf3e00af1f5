# SPDX-FileCopyrightText: トルミナの実験２ developers
# SPDX-License-Identifier: MIT

"""e2e.py BINARY DATA: one journey through the real program on a private X server, by xdotool."""
import contextlib, ctypes, os, re, shutil, signal, subprocess, sys, tempfile, time  # noqa: E401

MAIN, HELP = ' トルミナの実験２', ' トルミナの実験２＿ヘルプ（設問と操作方法）'
THEORY = ' トルミナの実験２＿理論と比べる'
# Each button's centre in its window, in pixels from the layout.
AT = {'終了': (28, 12), 'HELP': (468, 12), '初期化': (524, 12), '実験開始': (492, 468), '閉じる': (584, 12)}
procs = []  # the processes started, the program last


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


def x(*args, tool='xdotool'):  # may fail: no match, a window just closed
    return subprocess.run([tool, *map(str, args)], capture_output=True, text=True,
                          timeout=10).stdout.rstrip('\n')


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
    click('実験開始')
    compare_with_theory()
    click('終了')  # the quit cue is a FIFO, which must not hold up the end
    answer('トルミナの実験')
    assert procs[-1].wait(60) == 0, 'the exit status'


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
        shutil.copy(f'{sys.argv[2]}/pinpon.wav', tmp)  # and a FIFO as the quit cue
        os.mkfifo(f'{tmp}/endpinpon.wav')
        spawn(os.path.abspath(sys.argv[1]), cwd=tmp)  # it looks its cues up there
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
