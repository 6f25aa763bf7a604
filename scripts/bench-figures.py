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


class Places:
    """A line's place: its section, its words whatever its figures, and
    which of the section's lines of those words it is (the lens lines differ
    only in their figures)."""

    def __init__(self):
        self.section, self.seen = '', {}

    def of(self, line):
        if line.startswith('== '):
            self.section, self.seen = line, {}
            return None
        if not NUMBER.search(line):
            return None
        shape = NUMBER.sub('#', line.strip())
        self.seen[shape] = self.seen.get(shape, 0) + 1
        return f'{self.section}\n{shape}\n{self.seen[shape]}'


def keyed(lines):
    places, figures = Places(), {}
    for line in lines:
        place = places.of(line)
        if place:
            figures[place] = line.strip()
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
    places, lines = Places(), []
    for line in sys.stdin:
        line = line.rstrip('\n')
        lines.append(line)
        print(line)
        place = places.of(line)
        before = previous.get(place) if place else None
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
