"""Drives the real program on a private X server as a user would: keys and
clicks through xdotool, state read back over the accessibility bus.

A journey script calls main(journey), where journey(session) raises on a
failed check. Usage: <script>.py <torumina binary> <data dir>.
"""

import ctypes
import os
import re
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import traceback
import uuid
from collections import namedtuple
from pathlib import Path

import gi

gi.require_version('Atspi', '2.0')
from gi.repository import Atspi, GLib  # noqa: E402

MAIN = ' トルミナの実験２'
HELP = ' トルミナの実験２＿ヘルプ（設問と操作方法）'
GUESTS = ' お客人数の設定'
TRIALS = ' 実験回数の設定'
CONFIRM = '確認'
QUIT_BOX = 'トルミナの実験'
QUIT_PROMPT = '終了していいですか？'

# The 63 classes of lowest balance, named by their value; the two ends are
# open: -58 stands for "-58 or below", 4 for "4 or above".
CLASSES = range(-58, 5)

# ctest stops a test at 120 s with SIGKILL, which would leave the X server
# and the buses behind; our own alarm comes first so that cleanup runs.
OVERALL_SECONDS = 105

Node = namedtuple('Node', 'role name description enabled acc')


def cell_description(balance):
    if balance == -58:
        return '不足枚数 -58 以下の度数'
    if balance == 4:
        return '不足枚数 4 以上の度数'
    return f'不足枚数 {balance} の度数'


def check(condition, message):
    if not condition:
        raise AssertionError(message)


def _die_with_parent():
    # A test killed outright must not leave its servers running.
    ctypes.CDLL(None, use_errno=True).prctl(1, signal.SIGKILL)  # PR_SET_PDEATHSIG


def _read_line(fd, timeout, what):
    deadline = time.monotonic() + timeout
    data = b''
    try:
        while not data.endswith(b'\n'):
            left = deadline - time.monotonic()
            if left <= 0 or not select.select([fd], [], [], left)[0]:
                raise AssertionError(f'no {what} within {timeout} s')
            chunk = os.read(fd, 4096)
            if not chunk:
                raise AssertionError(f'no {what}: the process closed its pipe')
            data += chunk
    finally:
        os.close(fd)
    return data.decode().strip()


class Session:
    def __init__(self, journey):
        if len(sys.argv) != 3:
            sys.exit(f'usage: {sys.argv[0]} <torumina binary> <data dir>')
        self.binary = Path(sys.argv[1]).resolve()
        self.data = Path(sys.argv[2])
        self.journey = journey
        self.tag = uuid.uuid4().hex
        self.tmp = Path(tempfile.mkdtemp(prefix=f'torumina-e2e-{journey}-'))
        self.display = self.bus = self.program = self.app = self.xvfb = None
        self.started = []

    # ---- processes -------------------------------------------------------

    def env(self, **extra):
        drop = ('QT_', 'DBUS_', 'AT_SPI', 'DISPLAY', 'WAYLAND_', 'XDG_', 'XAUTHORITY',
                'SESSION_MANAGER', 'LC_', 'LANGUAGE')
        env = {k: v for k, v in os.environ.items() if not k.startswith(drop)}
        env.update(LANG='C.UTF-8', HOME=str(self.tmp / 'home'),
                   XDG_RUNTIME_DIR=str(self.tmp / 'run'), TORUMINA_E2E_TAG=self.tag)
        if self.display:
            env['DISPLAY'] = self.display
        if self.bus:
            env['DBUS_SESSION_BUS_ADDRESS'] = self.bus
        env.update(extra)
        return env

    def spawn(self, argv, log, env=None, **kw):
        with open(self.tmp / log, 'wb') as out:
            proc = subprocess.Popen(argv, env=env or self.env(), stdin=subprocess.DEVNULL,
                                    stdout=out, stderr=subprocess.STDOUT,
                                    preexec_fn=_die_with_parent, **kw)
        self.started.append(proc)
        return proc

    def __enter__(self):
        def expire(*_):
            raise TimeoutError(f'journey still running after {OVERALL_SECONDS} s')
        signal.signal(signal.SIGALRM, expire)
        signal.signal(signal.SIGTERM, lambda *_: sys.exit('terminated'))
        signal.alarm(OVERALL_SECONDS)
        try:
            self._start()
        except BaseException:
            self.__exit__(*sys.exc_info())
            raise
        return self

    def _start(self):
        (self.tmp / 'home').mkdir()
        (self.tmp / 'run').mkdir(mode=0o700)

        # -displayfd picks a free display; -noreset keeps the server up when
        # its last client leaves, which otherwise makes some starts fail.
        r, w = os.pipe()
        self.xvfb = self.spawn(['Xvfb', '-displayfd', str(w), '-noreset', '-nolisten', 'tcp',
                                '-screen', '0', '1024x768x24'], 'xvfb.log', pass_fds=(w,))
        os.close(w)
        self.display = ':' + _read_line(r, 20, 'display number from Xvfb')

        r, w = os.pipe()
        self.spawn(['dbus-daemon', '--session', '--nofork', f'--print-address={w}'],
                   'dbus.log', pass_fds=(w,))
        os.close(w)
        self.bus = _read_line(r, 20, 'address from dbus-daemon')

        self.spawn(['/usr/libexec/at-spi-bus-launcher', '--launch-immediately'], 'a11y.log')
        # Asking org.a11y.Bus itself before the launcher owns the name would
        # make the session bus start a second launcher.
        self.wait(lambda: 'boolean true' in subprocess.run(
            ['dbus-send', '--session', '--print-reply', '--dest=org.freedesktop.DBus',
             '/org/freedesktop/DBus', 'org.freedesktop.DBus.NameHasOwner',
             'string:org.a11y.Bus'],
            env=self.env(), capture_output=True, text=True, timeout=10).stdout,
            20, 'the accessibility bus')

        os.environ.update(DISPLAY=self.display, DBUS_SESSION_BUS_ADDRESS=self.bus)
        os.environ.pop('AT_SPI_BUS_ADDRESS', None)
        Atspi.init()

        # The sound cues are looked up in the working folder; the program
        # plays nothing when they are missing.
        cwd = self.tmp / 'data'
        if self.data.is_dir():
            shutil.copytree(self.data, cwd)
        else:
            cwd.mkdir()
        self.program = self.spawn([str(self.binary)], 'program.log', cwd=cwd,
                                  env=self.env(QT_ACCESSIBILITY='1',
                                               QT_LINUX_ACCESSIBILITY_ALWAYS_ON='1'))
        self.app = self.wait(self._find_app, 30, 'the program on the accessibility bus')

    def _find_app(self):
        desktop = Atspi.get_desktop(0)
        for i in range(desktop.get_child_count()):
            child = desktop.get_child_at_index(i)
            if child is not None and child.get_name() == 'torumina':
                return child
        return None

    def __exit__(self, exc_type, exc, tb):
        signal.alarm(0)
        try:
            if exc_type is not None:
                self.report()
        finally:
            self._stop()
            shutil.rmtree(self.tmp, ignore_errors=True)
        return False

    def _stop(self):
        try:
            Atspi.exit()
        except Exception:
            pass
        others = [p for p in self.started if p not in (self.program, self.xvfb)]
        # The accessibility bus and its registry are started by the launcher
        # and the session bus, not by us: they are found by their tag.
        spawned = self._tagged() - {p.pid for p in self.started}
        for group, extra in (([self.program], set()), (others, spawned), ([self.xvfb], set())):
            group = [p for p in group if p is not None]
            pids = {p.pid for p in group} | extra
            for pid in pids:
                self._signal(pid, signal.SIGTERM)
            deadline = time.monotonic() + 5
            while time.monotonic() < deadline and any(self._alive(pid, group) for pid in pids):
                time.sleep(0.05)
            for pid in pids:
                if self._alive(pid, group):
                    self._signal(pid, signal.SIGKILL)
            for p in group:
                try:
                    p.wait(timeout=5)
                except subprocess.TimeoutExpired:
                    pass

    def _tagged(self):
        marker = f'TORUMINA_E2E_TAG={self.tag}'.encode()
        pids = set()
        for entry in Path('/proc').iterdir():
            if entry.name.isdigit():
                try:
                    if marker in (entry / 'environ').read_bytes().split(b'\0'):
                        pids.add(int(entry.name))
                except OSError:
                    pass
        return pids

    @staticmethod
    def _alive(pid, ours):
        for p in ours:
            if p.pid == pid:
                return p.poll() is None
        try:
            os.kill(pid, 0)
            state = Path(f'/proc/{pid}/stat').read_text().rsplit(')', 1)[1].split()[0]
            return state != 'Z'
        except OSError:
            return False

    @staticmethod
    def _signal(pid, sig):
        try:
            os.kill(pid, sig)
        except OSError:
            pass

    # ---- waiting ----------------------------------------------------------

    def wait(self, probe, timeout, what, program_may_end=False):
        """The first true value of probe(), polled until the timeout."""
        deadline = time.monotonic() + timeout
        last_error = None
        while True:
            if (self.program is not None and not program_may_end
                    and self.program.poll() is not None):
                raise AssertionError(f'the program ended with status {self.program.returncode}'
                                     f' while waiting for {what}')
            try:
                value = probe()
                if value:
                    return value
            except (GLib.Error, subprocess.SubprocessError) as error:
                # The program does not answer while it computes a run.
                last_error = error
            if time.monotonic() > deadline:
                detail = f' (last error: {last_error})' if last_error else ''
                raise AssertionError(f'timed out after {timeout} s waiting for {what}{detail}')
            while GLib.MainContext.default().iteration(False):
                pass
            time.sleep(0.1)

    def wait_exit(self, timeout=15):
        try:
            return self.program.wait(timeout)
        except subprocess.TimeoutExpired:
            raise AssertionError(f'the program still runs {timeout} s after it was told to end')

    # ---- X: windows, keys, clicks, pictures ------------------------------

    def xdotool(self, *args, query=False):
        # A query may fail harmlessly (no match, a window that just closed);
        # a key or a click that fails must not pass unnoticed.
        done = subprocess.run(['xdotool', *map(str, args)], env=self.env(), capture_output=True,
                              text=True, timeout=10)
        check(query or done.returncode == 0, f'xdotool {args} failed: {done.stderr.strip()}')
        return done.stdout

    def windows(self):
        """Visible top-level windows: id -> title."""
        ids = self.xdotool('search', '--onlyvisible', '--name', '.', query=True).split()
        return {wid: self.xdotool('getwindowname', wid, query=True).rstrip('\n') for wid in ids}

    def window(self, title, timeout=20, focused=True):
        """The id of the visible window titled exactly so, once it holds the
        keyboard focus (keys go to the focused window: there is no window
        manager)."""
        def probe():
            focus = self.xdotool('getwindowfocus', query=True).strip() if focused else None
            for wid, name in self.windows().items():
                if name == title and (not focused or wid == focus):
                    return wid
            return None
        return self.wait(probe, timeout, f'a window titled {title!r}'
                         + (' with the keyboard focus' if focused else ''))

    def answer(self, title, text=None, key='Return'):
        """Answer the box titled so: type text (replacing the selected
        default) and press key. Returns once that box has closed, which it
        also does when the answer ends the program."""
        wid = self.window(title)
        if text is not None:
            self.xdotool('type', '--delay', 30, text)
        self.xdotool('key', key)
        self.wait(lambda: wid not in self.windows(), 10, f'{title!r} to close after {key}',
                  program_may_end=True)

    def click(self, button, window=MAIN):
        node = self.wait(lambda: self.find(window, Atspi.Role.PUSH_BUTTON, name=button),
                         10, f'button {button!r} in {window!r}')
        check(node.enabled, f'button {button!r} is disabled')
        box = node.acc.get_extents(Atspi.CoordType.SCREEN)
        check(box.width > 0 and box.height > 0, f'button {button!r} has no extent')
        self.xdotool('mousemove', '--sync', box.x + box.width // 2, box.y + box.height // 2)
        self.xdotool('click', 1)

    def screenshot(self, name):
        # xwd shows Qt's dialogs as black boxes; import does not.
        path = Path.cwd() / name
        done = subprocess.run(['import', '-display', self.display, '-window', 'root', str(path)],
                              env=self.env(), capture_output=True, text=True, timeout=30)
        check(done.returncode == 0, f'no screenshot: {done.stderr.strip()}')
        return path

    # ---- accessibility tree ------------------------------------------------

    def nodes(self, window):
        """Every object of the showing top-level window titled exactly so."""
        self.app.clear_cache()
        found = []

        def walk(acc):
            states = acc.get_state_set()
            found.append(Node(acc.get_role(), acc.get_name() or '', acc.get_description() or '',
                              states.contains(Atspi.StateType.ENABLED)
                              and states.contains(Atspi.StateType.SENSITIVE), acc))
            for i in range(acc.get_child_count()):
                child = acc.get_child_at_index(i)
                if child is not None:
                    walk(child)

        for i in range(self.app.get_child_count()):
            top = self.app.get_child_at_index(i)
            if (top is not None and top.get_name() == window
                    and top.get_state_set().contains(Atspi.StateType.SHOWING)):
                walk(top)
        return found

    def find(self, window, role, name=None, description=None):
        for node in self.nodes(window):
            if (node.role == role and (name is None or node.name == name)
                    and (description is None or node.description == description)):
                return node
        return None

    def labels(self, window=MAIN):
        """Described labels of the window: description -> text."""
        return {n.description: n.name for n in self.nodes(window)
                if n.role == Atspi.Role.LABEL and n.description}

    def value(self, description):
        labels = self.labels()
        check(description in labels, f'no label described {description!r}')
        return labels[description]

    def table(self):
        """Texts of the 63 frequency cells, by class."""
        labels = self.labels()
        missing = [b for b in CLASSES if cell_description(b) not in labels]
        check(not missing, f'no frequency cell for the classes {missing}')
        return {b: labels[cell_description(b)] for b in CLASSES}

    def wait_counts(self, timeout=60):
        """The 63 counts once every cell shows a number."""
        def probe():
            cells = self.table()
            if all(re.fullmatch(r'[0-9]+', text) for text in cells.values()):
                return {b: int(text) for b, text in cells.items()}
            return None
        return self.wait(probe, timeout, 'a count in every frequency cell')

    def enabled(self, button, window=MAIN):
        node = self.find(window, Atspi.Role.PUSH_BUTTON, name=button)
        check(node is not None, f'no button {button!r} in {window!r}')
        return node.enabled

    def field(self, window):
        node = self.find(window, Atspi.Role.TEXT)
        check(node is not None, f'no text field in {window!r}')
        return node.acc.get_text(0, -1)

    # ---- common steps -------------------------------------------------------

    def enter(self, guests=None, trials=None):
        self.answer(GUESTS, guests)
        self.answer(TRIALS, trials)

    def run(self):
        self.click('実験開始')
        return self.wait_counts()

    def quit(self):
        """終了, then Yes by its default key; the program must end with 0."""
        self.click('終了')
        self.answer(QUIT_BOX)
        status = self.wait_exit()
        check(status == 0, f'exit status {status} after quitting')

    # ---- on failure ---------------------------------------------------------

    def report(self):
        print(f'--- state at failure ({self.journey}) ---', file=sys.stderr)
        try:
            if self.display:
                print('X windows:', self.windows(), 'focus:',
                      self.xdotool('getwindowfocus', query=True).strip(), file=sys.stderr)
                print('screenshot:', self.screenshot(f'e2e_{self.journey}_failure.png'),
                      file=sys.stderr)
            if self.app is not None and self.program.poll() is None:
                self.app.clear_cache()
                for i in range(self.app.get_child_count()):
                    top = self.app.get_child_at_index(i)
                    for n in self.nodes(top.get_name()):
                        if n.name or n.description:
                            print(f'  {n.role.value_nick:14} {"" if n.enabled else "(disabled) "}'
                                  f'{n.name!r} {n.description[:60]!r}', file=sys.stderr)
        except Exception as error:
            print('(could not read the state:', error, ')', file=sys.stderr)
        log = self.tmp / 'program.log'
        if log.exists():
            print('program output:\n' + log.read_text(errors='replace')[-3000:], file=sys.stderr)


def check_mean(counts, shown):
    """The mean caption must be the counts' mean, rounded to one decimal."""
    check(re.fullmatch(r'-?[0-9]*\.[0-9]', shown), f'mean {shown!r} is not like "-7.5" or ".0"')
    check(counts[-58] == 0 and counts[4] == 0, 'an open class is used; the mean cannot be checked')
    total = sum(counts.values())
    expected = sum(b * c for b, c in counts.items()) / total
    check(abs(float(shown) - expected) <= 0.05 + 1e-4,
          f'mean shown as {shown!r}, but the counts give {expected:.3f}')


def main(journey):
    """Run journey(session) in a fresh session; exit 0 on success."""
    name = Path(sys.argv[0]).stem
    started = time.monotonic()
    try:
        with Session(name) as session:
            journey(session)
    except Exception:
        traceback.print_exc()
        print(f'FAIL {name} after {time.monotonic() - started:.1f} s')
        sys.exit(1)
    print(f'PASS {name} in {time.monotonic() - started:.1f} s')
