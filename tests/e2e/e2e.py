"""e2e.py BINARY DATA: one journey through the real program on a private X server, by xdotool."""
import contextlib, ctypes, os, re, shutil, signal, subprocess, sys, tempfile, time, traceback  # noqa: E401,E501

MAIN, HELP = ' トルミナの実験２', ' トルミナの実験２＿ヘルプ（設問と操作方法）'
GUESTS, TRIALS, QUIT = ' お客人数の設定', ' 実験回数の設定', 'トルミナの実験'
# Each button's centre in its window, in pixels from the layout.
AT = {'終了': (28, 12), 'HELP': (468, 12), '初期化': (524, 12), '実験開始': (492, 468),
      '閉じる': (584, 12)}
procs = []  # the processes started, the program last


def expect(actual, expected, what):
    assert actual == expected, f'{what}: {actual!r}, expected {expected!r}'


def spawn(*argv, **kw):  # own process group; killed if we die
    procs.append(subprocess.Popen(argv, stdin=subprocess.DEVNULL, start_new_session=True,
                                  preexec_fn=lambda: ctypes.CDLL(None).prctl(1, signal.SIGKILL),
                                  **kw))


def wait(probe, timeout, what, may_end=False):  # may_end: the program
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        assert may_end or procs[-1].poll() is None, f'{procs[-1].args[0]} ended before {what}'
        if value := probe():
            return value
        time.sleep(0.1)
    raise TimeoutError(f'no {what} within {timeout} s')


def x(*args):  # may fail: no match, a window just closed
    return subprocess.run(['xdotool', *map(str, args)], capture_output=True, text=True,
                          timeout=10).stdout


def windows():  # visible X windows: id -> title
    ids = x('search', '--onlyvisible', '--name', '.').split()
    return {w: x('getwindowname', w).rstrip('\n') for w in ids}


def window(title):
    return wait(lambda: next((w for w, t in windows().items() if t == title), None), 60, title)


def click(name, title=MAIN):  # where the button is, whether or not the program listens
    left, top = re.search(r'Position: (\d+),(\d+)', x('getwindowgeometry', window(title))).groups()
    x('mousemove', int(left) + AT[name][0], int(top) + AT[name][1], 'click', 1)


def answer(title, text='', key='Return'):  # keys go to the focused window: there is no WM
    w = wait(lambda: (w := x('getwindowfocus').strip()) and x('getwindowname', w).rstrip(
        '\n') == title and w, 60, f'{title!r} focused')
    x('type', '--delay', 30, text)  # type takes the rest of the line as text: no chaining
    x('key', key)
    wait(lambda: w not in windows(), 30, f'{title!r} to close', may_end=True)


def journey():
    answer(GUESTS)
    answer(TRIALS)
    expect(re.findall(r'Icon \((\d+) x (\d+)\)', subprocess.run(
        ['xprop', '-id', window(MAIN), '_NET_WM_ICON'], capture_output=True, text=True).stdout),
        [('32', '32')], 'the main window icon sizes')
    # Clicks that queue up while the program is busy: only the first, HELP, may count.
    os.kill(procs[-1].pid, signal.SIGSTOP)
    for name in ('HELP', 'HELP', '実験開始', '初期化', '終了'):
        click(name)
    os.kill(procs[-1].pid, signal.SIGCONT)
    for _ in range(2):  # the help alone, and still alone a moment later
        wait(lambda: sorted(windows().values()) == [HELP], 60, 'the help window alone')
        time.sleep(1)
    click('閉じる', HELP)
    answer(GUESTS, '10')
    answer(TRIALS, '37')
    for name in ('実験開始', '初期化'):  # a run, and a reset once it is over
        click(name)
    answer(GUESTS)
    answer(TRIALS)
    click('実験開始')
    click('終了')  # its cue is a FIFO, which must not hold up the end
    answer(QUIT)
    expect(procs[-1].wait(60), 0, 'the exit status')


failed = True
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
                                           .endswith('\n') and n.strip(), 20, 'Xvfb')
        shutil.copy(f'{sys.argv[2]}/pinpon.wav', tmp)  # and a FIFO as the quit cue
        os.mkfifo(f'{tmp}/endpinpon.wav')
        spawn(os.path.abspath(sys.argv[1]), cwd=tmp)  # it looks its cues up there
        journey()
        failed = False
    except BaseException:
        traceback.print_exc()
        with contextlib.suppress(Exception):  # what was on the screen
            print('windows:', windows())
            subprocess.run(['import', '-window', 'root', 'e2e_journey_failure.png'], timeout=30)
    for p, sig in [(p, sig) for p in reversed(procs) for sig in (signal.SIGTERM, signal.SIGKILL)]:
        with contextlib.suppress(OSError, subprocess.TimeoutExpired):
            os.killpg(p.pid, sig)
            p.wait(5)
sys.exit(failed)
