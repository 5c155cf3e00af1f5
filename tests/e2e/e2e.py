"""Journeys through the real program on a private X server, driven as a user would with
xdotool, state read over AT-SPI. Usage: e2e.py <journey> <torumina binary> <data dir>."""
import contextlib, ctypes, os, re, signal, subprocess, sys, tempfile, time, traceback  # noqa: E401
import gi
gi.require_version('Atspi', '2.0')
from gi.repository import Atspi, GLib  # noqa: E402

MAIN, HELP = ' トルミナの実験２', ' トルミナの実験２＿ヘルプ（設問と操作方法）'
GUESTS, TRIALS, CONFIRM = ' お客人数の設定', ' 実験回数の設定', '確認'


def expect(actual, expected, what):
    assert actual == expected, f'{what}: {actual!r}, expected {expected!r}'


def children(acc):
    return [c for c in map(acc.get_child_at_index, range(acc.get_child_count())) if c]


def walk(acc):
    yield acc
    for child in children(acc):
        yield from walk(child)


class Session:
    def __init__(self):
        self.procs, self.program, self.app = [], None, None

    def spawn(self, *argv, out=subprocess.DEVNULL, **kw):
        # Own process group, to be stopped with all it spawns; killed if we die.
        self.procs.append(subprocess.Popen(
            argv, stdin=subprocess.DEVNULL, stdout=out, stderr=out, start_new_session=True,
            preexec_fn=lambda: ctypes.CDLL(None).prctl(1, signal.SIGKILL), **kw))
        return self.procs[-1]

    def start(self, binary, data, tmp):
        for key in [k for k in os.environ if k.startswith(
                ('QT_', 'DBUS_', 'AT_SPI', 'DISPLAY', 'WAYLAND', 'XDG_', 'XAUTH', 'LC_'))]:
            del os.environ[key]
        os.environ.update(HOME=tmp, XDG_RUNTIME_DIR=tmp, LANG='C.UTF-8',
                          DBUS_SESSION_BUS_ADDRESS=f'unix:path={tmp}/bus',
                          QT_LINUX_ACCESSIBILITY_ALWAYS_ON='1')  # the program on the a11y bus
        with open(f'{tmp}/display', 'w') as f:  # -noreset: up when its last client leaves
            self.spawn('Xvfb', '-displayfd', str(f.fileno()), '-noreset', '-nolisten', 'tcp',
                       '-screen', '0', '1024x768x24', pass_fds=(f.fileno(),))
        os.environ['DISPLAY'] = ':' + self.wait(lambda: (n := open(f'{tmp}/display').read())
                                                .endswith('\n') and n.strip(), 20, 'Xvfb')
        self.spawn('dbus-daemon', '--session', '--nofork', f'--address=unix:path={tmp}/bus')
        owned = lambda name: 'true' in subprocess.run(  # noqa: E731
            ['dbus-send', '--session', '--print-reply', '--dest=org.freedesktop.DBus', '/',
             'org.freedesktop.DBus.NameHasOwner', 'string:' + name],
            capture_output=True, text=True, timeout=10).stdout
        self.wait(lambda: owned('org.freedesktop.DBus'), 20, 'the session bus')
        self.spawn('/usr/libexec/at-spi-bus-launcher', '--launch-immediately')
        # Asking for the a11y bus before the launcher owns it would start a second launcher.
        self.wait(lambda: owned('org.a11y.Bus'), 20, 'the accessibility bus')
        Atspi.init()
        self.program = self.spawn(binary, cwd=data, out=None)  # data holds its sound cues
        self.app = self.wait(lambda: next((a for a in children(Atspi.get_desktop(0))
                                           if a.get_name() == 'torumina'), None), 30, 'the app')

    def stop(self):
        for p in reversed(self.procs):  # program, a11y launcher, session bus, Xvfb
            for sig in (signal.SIGTERM, signal.SIGKILL):
                with contextlib.suppress(OSError, subprocess.TimeoutExpired):
                    os.killpg(p.pid, sig)
                    p.wait(5)

    def wait(self, probe, timeout, what, may_end=False):
        deadline = time.monotonic() + timeout
        while True:
            assert may_end or not self.program or self.program.poll() is None, \
                f'the program ended while waiting for {what}'
            with contextlib.suppress(GLib.Error, subprocess.SubprocessError):  # a busy program
                if value := probe():
                    return value
            if time.monotonic() > deadline:
                raise TimeoutError(f'no {what} within {timeout} s')
            while GLib.MainContext.default().iteration(False):
                pass
            time.sleep(0.1)

    def x(self, *args, query=False):  # a query may fail: no match, a window just closed
        done = subprocess.run(['xdotool', *map(str, args)], capture_output=True, text=True,
                              timeout=10)
        assert query or not done.returncode, f'xdotool {args}: {done.stderr}'
        return done.stdout

    def windows(self):  # visible X windows: id -> title
        ids = self.x('search', '--onlyvisible', '--name', '.', query=True).split()
        return {w: self.x('getwindowname', w, query=True).rstrip('\n') for w in ids}

    def window(self, title):  # keys go to the focused window: there is no window manager
        return self.wait(lambda: next((w for w, t in self.windows().items() if t == title and w
                                       == self.x('getwindowfocus', query=True).strip()), None),
                         20, f'window {title!r} with the focus')

    def answer(self, title, text=None, key='Return'):
        w = self.window(title)
        if text:
            self.x('type', '--delay', 30, text)
        self.x('key', key)
        self.wait(lambda: w not in self.windows(), 10, f'{title!r} to close', may_end=True)

    def nodes(self, window=MAIN):
        self.app.clear_cache()
        return [n for top in children(self.app) if top.get_name() == window
                and top.get_state_set().contains(Atspi.StateType.SHOWING) for n in walk(top)]

    def button(self, name, window=MAIN):  # the node, and whether it is enabled
        node = self.wait(lambda: next((n for n in self.nodes(window) if n.get_name() == name
                                       and n.get_role() == Atspi.Role.PUSH_BUTTON), None),
                         10, f'button {name!r}')
        return node, node.get_state_set().contains(Atspi.StateType.ENABLED)

    def click(self, name, window=MAIN):
        node, enabled = self.button(name, window)
        assert enabled, f'button {name!r} is disabled'
        box = node.get_extents(Atspi.CoordType.SCREEN)
        self.x('mousemove', '--sync', box.x + box.width // 2, box.y + box.height // 2)
        self.x('click', 1)

    def labels(self):  # the main window's labels: description -> text
        return {n.get_description(): n.get_name() for n in self.nodes()
                if n.get_role() == Atspi.Role.LABEL}

    def shown(self):
        return tuple(map(self.labels().get, ('お客人数', '実験回数')))

    def table(self):  # the 63 frequency cells; the ends mean -58 or below, 4 or above
        cells = self.labels()
        return {b: cells[f'不足枚数 {b} {"以下" if b == -58 else "以上" if b == 4 else ""}の度数']
                for b in range(-58, 5)}

    def enter(self, guests=None, trials=None):
        self.answer(GUESTS, guests)
        self.answer(TRIALS, trials)

    def run(self):
        self.click('実験開始')
        return self.wait(lambda: all(map(str.isdigit, (t := self.table()).values()))
                         and {b: int(v) for b, v in t.items()}, 60, 'a count in every cell')

    def quit(self):
        self.click('終了')
        self.answer('トルミナの実験')
        expect(self.program.wait(15), 0, 'the exit status')


def journey_run(s):  # the defaults, a run, then quit
    s.enter()
    expect(s.shown(), ('100', '1000'), 'guests and trials')
    counts = s.run()
    expect(sum(counts.values()), 1000, 'the sum of the counts')
    expect([counts[2], counts[3], counts[4]], [0, 0, 0], 'the counts of 2, 3, 4+')  # ends <= 1
    assert re.fullmatch(r'-?[0-9]*\.[0-9]', mean := s.labels()['不足枚数の平均']), mean
    assert not s.button('実験開始')[1], 'the start button is enabled after the run'
    subprocess.run(['import', '-window', 'root', 'e2e_run.png'], timeout=30, check=True)
    s.quit()


def journey_entry(s):  # a refused guest count, an accepted one, then Escape and Yes
    s.answer(GUESTS, '5')
    s.window(GUESTS)  # asked again, with the default
    field = s.wait(lambda: next((n for n in s.nodes(GUESTS) if n.get_role() == Atspi.Role.TEXT),
                                None), 10, 'the text field')
    expect(field.get_text(0, -1), '100', 'the guest box after "5"')
    s.answer(GUESTS, '250')
    s.window(TRIALS)
    expect(s.labels()['お客人数'], '250', 'the guest count while asking for trials')
    s.answer(TRIALS, key='Escape')
    s.answer(CONFIRM)
    expect(s.program.wait(15), 0, 'the exit status')
    s.wait(lambda: not s.windows(), 10, 'no window left', may_end=True)


def journey_reset(s):  # a run, a reset to 10 guests and 37 experiments, a second run
    s.enter()
    s.run()
    s.click('初期化')
    s.window(GUESTS)
    expect(set(s.table().values()), {''}, 'the cells while asking again')
    s.enter('10', '37')
    expect(s.shown(), ('10', '37'), 'guests and trials')
    counts = s.run()
    expect(sum(counts.values()), 37, 'the sum of the counts')
    expect({b: c for b, c in counts.items() if c and not -10 <= b <= 1}, {}, 'out of -10..1')
    s.quit()


def journey_help(s):  # after a run HELP replaces the main window; 閉じる brings a new one
    s.enter()
    s.run()
    s.click('HELP')
    s.wait(lambda: {HELP, MAIN} & set(s.windows().values()) == {HELP}, 20, 'the help alone')
    lines = s.wait(lambda: next((n.get_description().split('\n') for n in s.nodes(HELP)
                                 if '【問　　題】' in n.get_description()), None), 10, 'help text')
    expect((len(lines), lines[1]), (28, '　【問　　題】'), 'the help lines and the second')
    s.click('閉じる', HELP)
    s.wait(lambda: {HELP, MAIN} & set(s.windows().values()) == {MAIN}, 20, 'a main, no help')
    s.window(GUESTS)
    expect(set(s.table().values()), {''}, 'the new cells')
    s.enter()
    expect(s.shown(), ('100', '1000'), 'guests and trials')
    s.quit()


name, session, started, failed = sys.argv[1], Session(), time.monotonic(), True
signal.signal(signal.SIGTERM, lambda *_: sys.exit('terminated'))
with tempfile.TemporaryDirectory() as tmp:
    try:
        session.start(os.path.abspath(sys.argv[2]), sys.argv[3], tmp)
        globals()['journey_' + name](session)
        failed = False
    except BaseException:
        traceback.print_exc()
        with contextlib.suppress(Exception):  # what was on the screen
            print('windows:', session.windows(), 'screenshot:', shot := f'e2e_{name}_failure.png')
            subprocess.run(['import', '-window', 'root', shot], timeout=30)
            for top in children(session.app):  # one line per window: its named objects
                print(' | '.join(filter(None, (n.get_name() for n in walk(top)))))
    session.stop()
print(f'{"FAIL" if failed else "PASS"} {name} in {time.monotonic() - started:.1f} s')
sys.exit(failed)
