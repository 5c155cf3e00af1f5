"""e2e.py entry|session BINARY DATA: the program on a private X server, xdotool in, AT-SPI out."""
import contextlib, ctypes, os, re, signal, subprocess, sys, tempfile, time, traceback  # noqa: E401
import gi
gi.require_version('Atspi', '2.0')
from gi.repository import Atspi, GLib  # noqa: E402

MAIN, HELP = ' トルミナの実験２', ' トルミナの実験２＿ヘルプ（設問と操作方法）'
GUESTS, TRIALS, CONFIRM = ' お客人数の設定', ' 実験回数の設定', '確認'
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


def start(binary, data, tmp):
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
    spawn(binary, cwd=data, out=None)  # data holds its sound cues
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


def click(name, window=MAIN):
    box = button(name, window=window).get_extents(Atspi.CoordType.SCREEN)
    x('mousemove', '--sync', box.x + box.width // 2, box.y + box.height // 2, 'click', 1)


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


def journey_entry():  # a refused guest count, an accepted one, then Escape and Yes
    answer(GUESTS, '5')  # asked again, with the default
    expect(find('the field', lambda n: n.get_role() == Atspi.Role.TEXT, GUESTS).get_text(0, -1),
           '100', 'the guest box after "5"')
    answer(GUESTS, '250')
    focused(TRIALS)
    expect(labels()['お客人数'], '250', 'the guest count while asking for trials')
    answer(TRIALS, key='Escape')
    answer(CONFIRM)
    expect(procs[-1].wait(15), 0, 'the exit status')
    wait(lambda: not windows(), 10, 'no window left', may_end=True)


def journey_session():  # two runs with a reset between, the help and back, then quit
    enter()
    expect(tuple(map(experiment(1000).get, (2, 3, 4))), (0, 0, 0), 'the counts of 2, 3, 4+')
    assert re.fullmatch(r'-?[0-9]*\.[0-9]', mean := labels()['不足枚数の平均']), mean
    button('実験開始', enabled=False)
    subprocess.run(['import', '-window', 'root', 'e2e_session.png'], timeout=30, check=True)
    click('初期化')
    enter('10', '37')
    expect({b: c for b, c in experiment(37).items() if c and not -10 <= b <= 1}, {}, 'outside')
    click('HELP')  # the help replaces the main window; 閉じる brings a new one
    wait(lambda: {HELP, MAIN} & set(windows().values()) == {HELP}, 20, 'the help alone')
    lines = find('the help text', lambda n: '【問　　題】' in n.get_description(), HELP) \
        .get_description().split('\n')
    expect((len(lines), lines[1]), (28, '　【問　　題】'), 'the help lines and the second')
    click('閉じる', HELP)
    wait(lambda: {HELP, MAIN} & set(windows().values()) == {MAIN}, 20, 'a main, no help')
    enter()
    click('終了')
    answer('トルミナの実験')
    expect(procs[-1].wait(15), 0, 'the exit status')


name, failed = sys.argv[1], True
signal.signal(signal.SIGTERM, lambda *_: sys.exit('terminated'))
with tempfile.TemporaryDirectory() as tmp:
    try:
        start(os.path.abspath(sys.argv[2]), sys.argv[3], tmp)
        globals()['journey_' + name]()
        failed = False
    except BaseException:
        traceback.print_exc()
        with contextlib.suppress(Exception):  # what was on the screen
            print('windows:', windows(), 'screenshot:', shot := f'e2e_{name}_failure.png')
            subprocess.run(['import', '-window', 'root', shot], timeout=30)
    stop()
sys.exit(failed)
