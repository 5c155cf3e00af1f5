# SPDX-FileCopyrightText: トルミナの実験２ developers
# SPDX-License-Identifier: MIT

"""sim_test.py statuses|reports SIM [--regenerate]: torumina-sim started as a shell starts it.
statuses: each row of statuses.txt, its exit status and first words. reports: each report of a
seeded run, a row each of reports.txt, against golden/, which --regenerate writes anew (review the diff before committing)."""
import os, pathlib, shlex, subprocess, sys, tempfile  # noqa: E401

HERE = pathlib.Path(__file__).resolve().parent
GOLDEN = HERE / 'golden'
# The chart of a run whose deepest evening stands alone far left: golden/chart.png.
CHART = ['--guests=100', '--trials=1000', '--seed=1', '--chart=@chart.png']
# What may be done to standard output before the program starts.
BEFORE = {
    '': None,
    'full-disk': lambda: os.dup2(os.open('/dev/full', os.O_WRONLY), 1),
    'closed': lambda: os.close(1),
    'reader-gone': lambda: (lambda read, write: (os.close(read), os.dup2(write, 1)))(*os.pipe()),
}


def run(sim, args, folder='', before=None):
    """Status, standard output and standard error; messages in the C locale unless told."""
    env = {k: v for k, v in os.environ.items() if k not in ('LANGUAGE', 'LC_MESSAGES', 'LANG')}
    env['LC_ALL'] = 'C'
    argv = [sim]
    for arg in args:
        if '=' in arg and arg.split('=')[0].isupper():
            env[arg.split('=')[0]] = arg.split('=', 1)[1]
        else:
            argv.append(arg.replace('@', folder + '/'))
    done = subprocess.run(argv, env=env, capture_output=True, timeout=120, preexec_fn=before)
    return done.returncode, done.stdout.decode(), done.stderr.decode()


def rows(data):  # the tab-separated rows of a data file beside this script
    return [line.split('\t') for line in (HERE / data).read_text(encoding='utf-8').splitlines()
            if line and not line.startswith('#')]


def statuses(sim):
    failures = []
    for name, args, status, said, before in rows('statuses.txt'):
        args, status = shlex.split(args), int(status)
        with tempfile.TemporaryDirectory() as folder:
            os.mkdir(f'{folder}/kept')
            os.mkfifo(f'{folder}/fifo')
            got, out, err = run(sim, args, folder, BEFORE[before])
            said_first = (out + err).lstrip('\ufeff')
            if got != status or not said_first.startswith(said) or (status != 0) != bool(err):
                failures.append(f'{name}: {args} ended with {got} (expected {status}), saying\n'
                                f'    {said_first[:200]!r}\n  expected it to start with {said!r}')
            if status != 0 and out:
                failures.append(f'{name}: a report on standard output although it failed')
    return failures


def reports(sim, regenerate):
    failures = []
    for name, args in rows('reports.txt'):
        args = shlex.split(args)
        status, out, err = run(sim, args)
        golden = GOLDEN / f'{name}.txt'
        if regenerate:
            golden.write_text(out, encoding='utf-8')
        elif status != 0 or out != golden.read_text(encoding='utf-8'):
            diff = subprocess.run(['diff', '-u', str(golden), '-'], input=out, text=True,
                                  capture_output=True).stdout
            failures.append(f'{name}: torumina-sim {" ".join(args)} (status {status}) {err}\n{diff}')
    with tempfile.TemporaryDirectory() as folder:
        status, _, err = run(sim, CHART, folder)
        chart = pathlib.Path(folder, 'chart.png').read_bytes() if status == 0 else b''
    if regenerate:
        (GOLDEN / 'chart.png').write_bytes(chart)
    elif chart != (GOLDEN / 'chart.png').read_bytes():
        failures.append(f'the chart of {" ".join(CHART)} is not golden/chart.png {err}')
    # The README's example shows lines the program prints, in that order.
    readme = (GOLDEN / '../../../README.md').resolve().read_text(encoding='utf-8')
    command, *lines = readme.split('<!-- sim-example -->\n```console\n')[1].split('```')[0].splitlines()
    printed = run(sim, shlex.split(command)[2:])[1].splitlines()
    at = next((i for i, line in enumerate(printed) if line.rstrip() == lines[0].rstrip()), None)
    if at is None or [p.rstrip() for p in printed[at:at + len(lines)]] != [s.rstrip() for s in lines]:
        failures.append(f'README.md shows for {command}:\n' + '\n'.join(lines) + '\nbut it prints:\n'
                        + '\n'.join(printed))
    # A run without a seed prints the one it drew, and that seed repeats it.
    first = run(sim, ['--exact'])[1]
    seed = next(line.split()[-1] for line in first.splitlines() if line.startswith('乱数の種'))
    if run(sim, ['--exact', '--seed', seed])[1] != first:
        failures.append(f'the printed seed {seed} does not repeat its run')
    return failures


what, sim = sys.argv[1:3]
failures = statuses(sim) if what == 'statuses' else reports(sim, '--regenerate' in sys.argv)
print('\n'.join(failures) or f'{what}: every row as expected')
sys.exit(1 if failures else 0)
