#!/usr/bin/python3
# A FUSE file system whose folder "stuck" does not answer: stat() on it
# blocks, the way it does on a network mount whose server went away, until
# the file named by the second argument exists. Beside it, one video.
#
#   hung_folder_fs.py MOUNTPOINT RELEASE_FILE
#
# Runs in the foreground; prints "mounted" once serving and "stuck" each time
# a stat() starts to block.

import errno
import os
import stat
import sys
import time

import fuse

fuse.fuse_python_api = (0, 2)

MOUNTPOINT, RELEASE = sys.argv[1], sys.argv[2]


def say(text):
    print(text, flush=True)


class HungFolder(fuse.Fuse):
    def getattr(self, path):
        attributes = fuse.Stat()
        if path in ("/", "/stuck"):
            if path == "/stuck":
                say("stuck")
                while not os.path.exists(RELEASE):
                    time.sleep(0.02)
            attributes.st_mode = stat.S_IFDIR | 0o755
            attributes.st_nlink = 2
        elif path == "/one.mkv":
            attributes.st_mode = stat.S_IFREG | 0o644
            attributes.st_nlink = 1
        else:
            return -errno.ENOENT
        return attributes

    def readdir(self, path, offset):
        # No entry types: the reader has to stat() each one.
        for name in [".", ".."] + (["one.mkv", "stuck"] if path == "/" else []):
            yield fuse.Direntry(name)

    def fsinit(self):
        say("mounted")


server = HungFolder(usage="hung_folder_fs.py MOUNTPOINT RELEASE_FILE")
server.multithreaded = True
server.parse(args=[MOUNTPOINT, "-f", "-o", "attr_timeout=0,entry_timeout=0"], errex=1)
server.main()
