"""e2e.py BINARY DATA: one journey of the program on a private X server, xdotool in, AT-SPI out."""
import contextlib, ctypes, os, re, shutil, signal, subprocess, sys, tempfile, time, traceback  # noqa: E401,E501
import gi
gi.require_version('Atspi', '2.0')
from gi.repository import Atspi, GLib  # noqa: E402

MAIN, HELP = ' トルミナの実験２', ' トルミナの実験２＿ヘルプ（設問と操作方法）'
GUESTS, TRIALS, QUIT = ' お客人数の設定', ' 実験回数の設定', 'トルミナの実験'
procs, found = [], {}  # the processes started, the program last; the program's a11y root


def expect(actual, expected, what):
    assert actual == expected, f'{what}: {actual!r}, expected {expected!r}'


def children(acc):
    return [c for c in map(acc.get_child_at_index, range(acc.get_child_count())) if c]


def walk(acc):
    return [acc] + [n for child in children(acc) for n in walk(child)]


def spawn(*argv, out=subprocess.DEVNULL, **kw):  # own process group; killed if we die
    procs.append(subprocess.Popen(
        argv, stdin=subprocess.DEVNULL, stdout=out, stderr=out, start_new_session=True,
        preexec_fn=lambda: ctypes.CDLL(None).prctl(1, signal.SIGKILL), **kw))


def start(binary, cues, tmp):
    for key in [k for k in os.environ if re.match('QT_|DBUS|AT_SPI|DISPLAY|WAYLAND|X|LC_', k)]:
        del os.environ[key]
    os.environ.update(HOME=tmp, XDG_RUNTIME_DIR=tmp, LANG='C.UTF-8', DBUS_SESSION_BUS_ADDRESS=(
        bus := f'unix:path={tmp}/bus'), QT_LINUX_ACCESSIBILITY_ALWAYS_ON='1')  # Qt on a11y bus
    with open(f'{tmp}/display', 'w') as f:  # -noreset: up when its last client leaves
        spawn('Xvfb', '-displayfd', str(f.fileno()), '-noreset', '-nolisten', 'tcp',
              '-screen', '0', '1024x768x24', pass_fds=(f.fileno(),))
    os.environ['DISPLAY'] = ':' + wait(lambda: (n := open(f'{tmp}/display').read())
                                       .endswith('\n') and n.strip(), 20, 'Xvfb')
    for name, *argv in (('org.freedesktop.DBus', 'dbus-daemon', '--session', '--nofork',
                         '--address=' + bus), ('org.a11y.Bus', '/usr/libexec/at-spi-bus-launcher',
                                               '--launch-immediately')):
        spawn(*argv)  # and wait: the a11y bus asked for too soon would start a second launcher
        wait(lambda: not subprocess.run(['gdbus', 'wait', '--session', '--timeout', '2', name],
                                        capture_output=True, timeout=10).returncode, 20, name)
    Atspi.init()
    spawn(binary, cwd=cues, out=None)  # looks its sound cues up there
    found['app'] = wait(lambda: next((a for a in children(Atspi.get_desktop(0))
                                      if a.get_name() == 'torumina'), None), 30, 'the app')


def stop():  # program, a11y launcher, session bus, Xvfb: each with its process group
    for p, sig in [(p, sig) for p in reversed(procs) for sig in (signal.SIGTERM, signal.SIGKILL)]:
        with contextlib.suppress(OSError, subprocess.TimeoutExpired):
            os.killpg(p.pid, sig)
            p.wait(5)


def wait(probe, timeout, what, may_end=False):  # may_end: the last process started
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        assert may_end or procs[-1].poll() is None, f'{procs[-1].args[0]} ended before {what}'
        with contextlib.suppress(GLib.Error, subprocess.SubprocessError, ValueError):  # not yet
            if value := probe():
                return value
        GLib.timeout_add(100, lambda: False)  # a pause that still handles AT-SPI events
        GLib.MainContext.default().iteration(True)
    raise TimeoutError(f'no {what} within {timeout} s')


def x(*args, query=False):  # a query may fail: no match, a window just closed
    done = subprocess.run(['xdotool', *map(str, args)], capture_output=True, text=True, timeout=10)
    assert query or not done.returncode, f'xdotool {args}: {done.stderr}'
    return done.stdout


def windows():  # visible X windows: id -> title
    ids = x('search', '--onlyvisible', '--name', '.', query=True).split()
    return {w: x('getwindowname', w, query=True).rstrip('\n') for w in ids}


def focused(title):  # keys go to the focused window: there is no window manager
    return wait(lambda: (w := x('getwindowfocus', query=True).strip()) and x(
        'getwindowname', w, query=True).rstrip('\n') == title and w, 20, f'{title!r} focused')


def answer(title, text='', key='Return'):
    w = focused(title)
    x('type', '--delay', 30, text)  # type takes the rest of the line as text: no chaining
    x('key', key)
    wait(lambda: w not in windows(), 10, f'{title!r} to close', may_end=True)


def find(what, test, window=MAIN):  # an object in a shown window
    return wait(lambda: found['app'].clear_cache() or next(
        (n for top in children(found['app']) if top.get_name() == window and top.get_state_set()
         .contains(Atspi.StateType.SHOWING) for n in walk(top) if test(n)), None), 10, what)


def button(name, enabled=True, window=MAIN):
    return find(name, lambda n: (n.get_name(), n.get_role(), n.get_state_set().contains(
        Atspi.StateType.ENABLED)) == (name, Atspi.Role.PUSH_BUTTON, enabled), window)


def centre(name, window=MAIN):
    box = button(name, window=window).get_extents(Atspi.CoordType.SCREEN)
    return box.x + box.width // 2, box.y + box.height // 2


def click(name, window=MAIN):
    x('mousemove', '--sync', *centre(name, window), 'click', 1)


def labels():  # the main window's described labels: 63 frequency cells, 3 results
    return {n.get_description(): n.get_name() for n in walk(find('main', lambda n: True))
            if n.get_role() == Atspi.Role.LABEL and n.get_description()}


def enter(guests='', trials=''):  # the labels are blank while asking for guests
    focused(GUESTS)
    expect((len(shown := labels()), {*shown.values()} - {''}), (66, set()), 'the labels, blank?')
    answer(GUESTS, guests)
    answer(TRIALS, trials)
    expect([labels()[k] for k in ('お客人数', '実験回数')], [guests or '100', trials or '1000'], 'shown')


def experiment(total):  # cells by shortage; the ends stand for -58 or below, 4 or above
    click('実験開始')
    counts = wait(lambda: {int(d.split()[1]): int(t) for d, t in labels().items()
                           if d.endswith('の度数')}, 60, 'a count in every cell')
    expect((len(counts), sum(counts.values())), (63, total), 'the cells and their sum')
    return counts


def journey():
    enter()
    wid = next(w for w, title in windows().items() if title == MAIN)
    icons = re.findall(r'Icon \((\d+) x (\d+)\)', subprocess.run(
        ['xprop', '-id', wid, '_NET_WM_ICON'], capture_output=True, text=True, timeout=10).stdout)
    expect(icons, [('32', '32')], 'the window icon sizes')
    # Clicks that queue up while the program is busy: only the first, HELP, may count.
    at = {name: centre(name) for name in ('HELP', '実験開始', '初期化', '終了')}
    os.kill(procs[-1].pid, signal.SIGSTOP)
    for name in ('HELP', 'HELP', '実験開始', '初期化', '終了'):  # no --sync: twice in one place
        x('mousemove', *at[name], 'click', 1)
    os.kill(procs[-1].pid, signal.SIGCONT)
    for _ in range(2):  # the help alone, and still alone a moment later
        wait(lambda: sorted(windows().values()) == [HELP], 30, 'the help window alone')
        time.sleep(1)
    lines = find('the help text', lambda n: '【問　　題】' in n.get_description(), HELP) \
        .get_description().split('\n')
    expect((len(lines), lines[1]), (28, '　【問　　題】'), 'the help lines and the second')
    click('閉じる', HELP)
    enter('10', '37')
    expect({b: c for b, c in experiment(37).items() if c and not -10 <= b <= 1}, {}, 'outside')
    button('実験開始', enabled=False)
    click('初期化')
    enter()
    expect(tuple(map(experiment(1000).get, (2, 3, 4))), (0, 0, 0), 'the counts of 2, 3, 4+')
    assert re.fullmatch(r'-?[0-9]*\.[0-9]', mean := labels()['不足枚数の平均']), mean
    subprocess.run(['import', '-window', 'root', 'e2e_journey.png'], timeout=30, check=True)
    click('終了')  # its cue is a FIFO, which must not hold up the end
    answer(QUIT)
    expect(procs[-1].wait(30), 0, 'the exit status')


failed = True
signal.signal(signal.SIGTERM, lambda *_: sys.exit('terminated'))
with tempfile.TemporaryDirectory() as tmp:
    try:
        os.mkdir(cues := f'{tmp}/cues')
        shutil.copy(f'{sys.argv[2]}/pinpon.wav', cues)
        os.mkfifo(f'{cues}/endpinpon.wav')
        start(os.path.abspath(sys.argv[1]), cues, tmp)
        journey()
        failed = False
    except BaseException:
        traceback.print_exc()
        with contextlib.suppress(Exception):  # what was on the screen
            print('windows:', windows(), 'screenshot:', shot := 'e2e_journey_failure.png')
            subprocess.run(['import', '-window', 'root', shot], timeout=30)
    stop()
sys.exit(failed)
