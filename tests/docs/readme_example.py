# SPDX-FileCopyrightText: トルミナの実験２ developers
# SPDX-License-Identifier: MIT

"""readme_example.py README SIM: runs the torumina-sim command that README
shows between <!-- sim-example --> and <!-- /sim-example --> with the program
SIM, and fails unless the output lines it shows are printed, in that order."""
import os, re, shlex, subprocess, sys  # noqa: E401


def fail(message):
    sys.exit(f'README example: {message}')


readme, sim = sys.argv[1:]
text = open(readme, encoding='utf-8').read()
block = re.search(r'<!-- sim-example -->\n```\w*\n(.*?)```\n<!-- /sim-example -->', text, re.S)
if not block:
    fail(f'{readme} has no fenced block between <!-- sim-example --> and <!-- /sim-example -->')
first_line = text.count('\n', 0, block.start(1)) + 1
command, *shown = block.group(1).rstrip('\n').split('\n')
if not command.startswith('$ torumina-sim '):
    fail(f'line {first_line} should be "$ torumina-sim …", not "{command}"')
argv = shlex.split(command[2:])
# Without a seed the numbers change from run to run and no README can show them.
if '--seed' not in argv:
    fail(f'line {first_line}: the command has no --seed, so readers cannot get its output')
if not shown:
    fail(f'line {first_line}: the block shows no output')

# The messages follow the locale; the table's captions are Japanese in every one.
env = {k: v for k, v in os.environ.items() if k != 'LANGUAGE'} | {'LC_ALL': 'C.UTF-8'}
run = subprocess.run([sim, *argv[1:]], env=env, capture_output=True, encoding='utf-8', timeout=60)
if run.returncode != 0:
    fail(f'"{command[2:]}" ended with status {run.returncode}:\n{run.stderr}')
printed = [line.rstrip() for line in run.stdout.split('\n')]
shown = [line.rstrip() for line in shown]

# Where the most shown lines match, so a changed digit is told against its own line.
start = max(range(len(printed)), key=lambda at: sum(
    at + i < len(printed) and printed[at + i] == line for i, line in enumerate(shown)))
wrong = [f'{readme}:{first_line + 1 + i} shows\n    {line}\n  torumina-sim prints\n    '
         + (printed[start + i] if start + i < len(printed) else '(nothing more)')
         for i, line in enumerate(shown) if start + i >= len(printed) or printed[start + i] != line]
if len(wrong) == len(shown):
    fail(f'none of the lines shown appear in the output of "{command[2:]}":\n{run.stdout}')
if wrong:
    fail('\n'.join(wrong))
print(f'README example: {len(shown)} lines of "{command[2:]}" as torumina-sim prints them')
