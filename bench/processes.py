"""The processes a bench run starts, and what the kernel says about them.
Every process started here is ended on the way out (end_all)."""

import os
import subprocess
import time

CLK_TCK = os.sysconf("SC_CLK_TCK")


class BenchError(Exception):
    """The bench could not measure: the message says what went wrong."""


_started = []  # every process this run started, ended on the way out


def start(command, **kwargs):
    try:
        process = subprocess.Popen(command, **kwargs)
    except OSError as error:
        raise BenchError(f"cannot start {command[0]}: {error}") from error
    _started.append(process)
    return process


def end(process):
    if process.poll() is None:
        process.terminate()
        try:
            process.wait(timeout=3)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()


def finish(process):
    """Ends the process and forgets it."""
    end(process)
    _started.remove(process)


def end_all():
    for process in reversed(_started):
        end(process)
    _started.clear()


def wait_exit(process, timeout):
    """Waits for the process to exit; returns its peak resident size in KiB
    as the kernel kept it (ru_maxrss)."""
    deadline = time.monotonic() + timeout
    while True:
        pid, status, usage = os.wait4(process.pid, os.WNOHANG)
        if pid == process.pid:
            process.returncode = os.waitstatus_to_exitcode(status)
            _started.remove(process)
            return usage.ru_maxrss
        if time.monotonic() > deadline:
            raise BenchError(f"{os.path.basename(process.args[0])} did not exit within {timeout} s")
        time.sleep(0.01)


def cpu_seconds(pid):
    """User plus system time of the whole process, every thread included."""
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / CLK_TCK  # utime, stime


def thread_usage(pid):
    """(CPU nanoseconds, context switches) of the process, its threads added
    up: the scheduler's own run time, exact where the tick counts of
    cpu_seconds see nothing of a few milliseconds."""
    cpu_ns = switches = 0
    for task in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{task}/schedstat") as f:
                cpu_ns += int(f.read().split()[0])
            with open(f"/proc/{pid}/task/{task}/status") as f:
                for line in f:
                    if "ctxt_switches:" in line:  # voluntary and not
                        switches += int(line.split()[1])
        except FileNotFoundError:  # a thread that ended meanwhile
            continue
    return cpu_ns, switches


def peak_resident_kib(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmHWM:"):
                return int(line.split()[1])
    raise BenchError(f"no VmHWM for process {pid}")
