"""What a Windows program leaves in a Wine prefix, read from Linux: the
registry as Wine keeps it on disk, Start-menu shortcuts, the files under
drive C, and the Windows paths that name them."""

import os
import re
import struct


def unix_path(prefix, windows_path):
    """C:\\a\\b -> PREFIX/drive_c/a/b, matching each name without regard to
    case, as Windows does."""
    drive, _, rest = windows_path.partition(":\\")
    assert drive.upper() == "C", windows_path
    path = os.path.join(prefix, "drive_c")
    for name in filter(None, rest.split("\\")):
        found = [entry for entry in os.listdir(path) if entry.lower() == name.lower()]
        path = os.path.join(path, found[0] if found else name)
    return path


def user_folder(prefix):
    """The Wine user's profile, drive_c/users/<name>."""
    users = os.path.join(prefix, "drive_c", "users")
    names = [name for name in os.listdir(users) if name.lower() != "public"]
    assert len(names) == 1, names
    return os.path.join(users, names[0])


def _unescape(value):
    return re.sub(r"\\(.)", r"\1", value)


def registry(prefix, hive):
    """{key path (lower case): {value name: value}} of HKCU ("user") or
    HKLM ("system"). Wine writes these files when its server stops."""
    keys = {}
    current = None
    with open(os.path.join(prefix, f"{hive}.reg"), encoding="utf-8", errors="replace") as f:
        for line in f:
            line = line.rstrip("\n")
            header = re.match(r"^\[(.*)\] \d+", line)
            if header:
                current = keys.setdefault(_unescape(header.group(1)).lower(), {})
                continue
            value = re.match(r'^"((?:[^"\\]|\\.)*)"=(.*)$', line)
            if current is None or not value:
                continue
            name, data = _unescape(value.group(1)), value.group(2)
            if data.startswith('"'):
                current[name] = _unescape(data[1:-1])
            elif data.startswith("dword:"):
                current[name] = int(data[6:], 16)
            else:
                current[name] = data
    return keys


def shortcut_target(path):
    """The local path a .lnk file points at (its LinkInfo's base path)."""
    with open(path, "rb") as f:
        data = f.read()
    assert data[:4] == b"\x4c\0\0\0", f"{path} is not a shortcut"
    flags = struct.unpack_from("<I", data, 0x14)[0]
    at = 0x4C
    if flags & 0x1:  # an ID list comes first
        at += 2 + struct.unpack_from("<H", data, at)[0]
    assert flags & 0x2, f"{path} has no link info"
    header_size = struct.unpack_from("<I", data, at + 4)[0]
    if header_size >= 0x24:  # the path in UTF-16
        start = at + struct.unpack_from("<I", data, at + 0x1C)[0]
        end = start
        while data[end:end + 2] != b"\0\0":
            end += 2
        return data[start:end].decode("utf-16-le")
    offset = struct.unpack_from("<I", data, at + 0x10)[0]
    return data[at + offset:data.index(b"\0", at + offset)].decode("cp1252", errors="replace")


def files_under(folder):
    """Every file and folder below `folder`, as paths relative to it."""
    found = set()
    for root, dirs, files in os.walk(folder):
        for name in dirs + files:
            found.add(os.path.relpath(os.path.join(root, name), folder))
    return found


def version_string(path, name):
    """A value of a program's version resource (what Explorer shows in
    Properties > Details), or None. Each is a record on 4 bytes: three
    16-bit words, its name, then its value, both UTF-16 and ended by a
    null, the value on 4 bytes too."""
    with open(path, "rb") as f:
        data = f.read()
    key = name.encode("utf-16-le") + b"\0\0"
    at = data.find(key)
    while at >= 0 and (at - 6) % 4:
        at = data.find(key, at + 1)
    if at < 0:
        return None
    at += len(key)
    at += -at % 4
    end = at
    while data[end:end + 2] != b"\0\0":
        end += 2
    return data[at:end].decode("utf-16-le")
