#!/usr/bin/env python3
"""A pass-through file system whose folder listings and file opens take as
long as slow storage does (a share whose server is waking, a disk spinning
up, a file fetched on first open).

    slow_fs.py SOURCE MOUNTPOINT DELAY_FILE

Every listing and every open first sleeps for the number of seconds written
in DELAY_FILE (none when it is missing or unreadable), read afresh each
time so a test can make the storage slow or quick while it is mounted.
Everything else passes straight through to SOURCE.
"""
import errno
import os
import sys
import time

from fusepy import FUSE, FuseOSError, Operations


class SlowPassThrough(Operations):
    def __init__(self, source, delay_file):
        self.source = source
        self.delay_file = delay_file

    def _real(self, path):
        return os.path.join(self.source, path.lstrip("/"))

    def _wait(self):
        try:
            with open(self.delay_file) as f:
                delay = float(f.read().strip() or 0)
        except (OSError, ValueError):
            delay = 0
        if delay > 0:
            time.sleep(delay)

    def getattr(self, path, fh=None):
        try:
            st = os.lstat(self._real(path))
        except OSError as e:
            raise FuseOSError(e.errno)
        return {key: getattr(st, key) for key in (
            "st_mode", "st_nlink", "st_size", "st_uid", "st_gid",
            "st_atime", "st_mtime", "st_ctime")}

    def readdir(self, path, fh):
        self._wait()
        return [".", ".."] + os.listdir(self._real(path))

    def open(self, path, flags):
        self._wait()
        return os.open(self._real(path), flags)

    def read(self, path, size, offset, fh):
        os.lseek(fh, offset, os.SEEK_SET)
        return os.read(fh, size)

    def release(self, path, fh):
        os.close(fh)
        return 0

    def statfs(self, path):
        st = os.statvfs(self._real(path))
        return {key: getattr(st, key) for key in (
            "f_bsize", "f_frsize", "f_blocks", "f_bfree", "f_bavail",
            "f_files", "f_ffree", "f_favail", "f_flag", "f_namemax")}

    def access(self, path, mode):
        if not os.access(self._real(path), mode):
            raise FuseOSError(errno.EACCES)


def main():
    source, mountpoint, delay_file = sys.argv[1:4]
    FUSE(SlowPassThrough(os.path.abspath(source), os.path.abspath(delay_file)),
         mountpoint, foreground=True, nothreads=False, ro=True)


if __name__ == "__main__":
    main()
