#!/usr/bin/env python3
"""The floor under a run's time: only the durable writes a conversion of one boring makes.

For each of COUNT borings, into DEST/TYUJYOU/A<i>/B/C (made level by level, as the run makes
them): every output of the model tree written to a temporary file beside it, flushed to the
disk (fdatasync), renamed over its name; the copies of the title files the run reads back are
written the same way and deleted; then each folder whose entries changed is flushed once. No
reading, no conversion: what is left of a run's time above this is the program's own.

    bench/durable_writes_floor.py MODEL SOURCE DEST COUNT

MODEL is the destination folder of one converted boring (its files are the outputs), SOURCE the
boring's source folder (its titl0?.txt are the title copies). Prints the seconds per boring.
"""
import os
import sys
import time


def durable_write(folder, name, data, number):
    temporary = os.path.join(folder, ".~%s.%d.tmp" % (name, number))
    fd = os.open(temporary, os.O_WRONLY | os.O_CREAT | os.O_EXCL | os.O_CLOEXEC, 0o666)
    try:
        os.write(fd, data)
        os.fdatasync(fd)
    finally:
        os.close(fd)
    os.rename(temporary, os.path.join(folder, name))


def flush_folder(folder):
    fd = os.open(folder, os.O_RDONLY | os.O_DIRECTORY | os.O_CLOEXEC)
    try:
        os.fsync(fd)
    finally:
        os.close(fd)


def read_files(folder, names):
    files = []
    for name in names:
        with open(os.path.join(folder, name), "rb") as f:
            files.append((name, f.read()))
    return files


def main():
    model, source, dest, count = sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4])
    outputs = read_files(model, sorted(os.listdir(model)))
    titles = read_files(source, sorted(n for n in os.listdir(source)
                                       if n.lower().startswith("titl0") and len(n) == 10))
    root = os.path.join(dest, "TYUJYOU")
    os.makedirs(root, exist_ok=True)
    start = time.perf_counter()
    for i in range(1, count + 1):
        changed = []
        folder = root
        for level in ("A%d" % i, "B", "C"):
            os.mkdir(os.path.join(folder, level))
            changed.append(folder)
            folder = os.path.join(folder, level)
        for n, (name, data) in enumerate(titles):
            durable_write(folder, name, data, n)
        for n, (name, data) in enumerate(outputs):
            durable_write(folder, name, data, n)
        for name, _ in titles:
            if not any(name == out for out, _ in outputs):
                os.unlink(os.path.join(folder, name))
        for changed_folder in changed + [folder]:
            flush_folder(changed_folder)
    seconds = time.perf_counter() - start
    print("%.6f" % (seconds / count))


if __name__ == "__main__":
    main()
