"""Passes the benchmarks' output through and sets the previous build's
figures beside each line whose figures changed: the last run recorded for
another build (another commit, or the same one with other changes), from the
records kept in FOLDER, one file per build. The run's own output becomes the
record of BUILD_ID once it is complete (its last line is COMPLETE).

    ... | python3 bench-figures.py FOLDER BUILD_ID
"""
import re
import sys
from pathlib import Path

NUMBER = re.compile(r'[-+]?\d+(?:\.\d+)?')
COMPLETE = 'bench: complete'


def key(section, line):
    """A line's place: its section and its words, whatever its figures."""
    return section + '\n' + NUMBER.sub('#', line.strip())


def keyed(lines):
    figures, section = {}, ''
    for line in lines:
        if line.startswith('== '):
            section = line
        elif NUMBER.search(line):
            figures.setdefault(key(section, line), line.strip())
    return figures


def main():
    folder, build_id = Path(sys.argv[1]), sys.argv[2]
    folder.mkdir(parents=True, exist_ok=True)
    others = sorted((p for p in folder.glob('*.txt') if p.stem != build_id),
                    key=lambda p: p.stat().st_mtime)
    previous, previous_id = {}, None
    if others:
        previous_id = others[-1].stem
        previous = keyed(others[-1].read_text().splitlines())
        print(f'bench: beside each changed line, the figures of build {previous_id}')
    else:
        print(f'bench: no figures of an earlier build in {folder} yet')
    sys.stdout.flush()
    section, lines = '', []
    for line in sys.stdin:
        line = line.rstrip('\n')
        lines.append(line)
        print(line)
        if line.startswith('== '):
            section = line
        elif NUMBER.search(line):
            before = previous.get(key(section, line))
            if before is not None and before != line.strip():
                print(f'      {previous_id}: {before}')
        sys.stdout.flush()
    if not lines or lines[-1] != COMPLETE:
        return 1
    partial = folder / f'{build_id}.txt.part'
    partial.write_text('\n'.join(lines) + '\n')
    partial.replace(folder / f'{build_id}.txt')
    return 0


if __name__ == '__main__':
    sys.exit(main())
