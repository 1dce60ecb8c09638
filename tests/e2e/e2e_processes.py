"""What the window tests in Python share: their failure, and how they start
programs so that none outlives the test."""
import ctypes, subprocess


class Failure(Exception):
    pass


def Start(argv, env, **kw):
    kw.setdefault("stdout", subprocess.DEVNULL)
    kw.setdefault("stderr", subprocess.DEVNULL)
    # PR_SET_PDEATHSIG: nothing outlives the test, even when it is killed.
    return subprocess.Popen(argv, env=env, preexec_fn=lambda: ctypes.CDLL(None).prctl(1, 15), **kw)
