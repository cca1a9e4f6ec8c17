"""Which of qt6-base's third-party components a Windows build of the
game's Qt compiles in, and what some of their licences ask for beyond
their text."""

# Whether a bundled library is compiled in: Qt builds its own copy unless
# configure is told to use the system's (-system-X) or none (-no-X).
def bundled(lib):
    return lambda opts: f"-no-{lib}" not in opts and f"-system-{lib}" not in opts


# Whether a feature is on: the options only ever turn features off here.
def feature(name):
    return lambda opts: f"-no-feature-{name}" not in opts and f"-no-{name}" not in opts


def both(a, b):
    return lambda opts: a(opts) and b(opts)


def always(opts):
    return True


# Every attribution under qt6-base's src/, with the module it lands in and
# when it does, for a Windows build of Core, Gui, Widgets, the windows
# platform plugin and the windowsvista style (read from the CMake files of
# 6.4.2 and 6.8.2). None: never built into those on Windows. An attribution missing
# here stops the script, so that a newer Qt gets looked at, not guessed.
COMPONENTS = {
    # QtCore. The hashes are #included by qcryptographichash.cpp, tinycbor
    # by qcborcommon.cpp, the Unicode tables and SipHash are plain sources:
    # none of them can be configured away.
    "zlib": ("QtCore", bundled("zlib")),
    "pcre2": ("QtCore", both(bundled("pcre"), feature("regularexpression"))),
    # The JIT is left out only on ARM Windows, QNX and iOS.
    "pcre2-sljit": ("QtCore", both(bundled("pcre"), feature("regularexpression"))),
    "doubleconversion": ("QtCore", bundled("doubleconversion")),
    "easing": ("QtCore", feature("easingcurve")),
    "blake2": ("QtCore", bundled("libb2")),
    # Qt 6.8's MIME database, in place of freedesktop.org's.
    "tika-mimetypes": ("QtCore", both(feature("mimetype"), feature("mimetype-database"))),
    **dict.fromkeys(["tinycbor", "sha1", "md4", "md5", "sha3_keccak", "sha3_endian", "rfc6234",
                     "siphash", "unicode-character-database", "unicode-cldr"], ("QtCore", always)),
    # QtGui. The rasterizer, image scaling, QRegion, the PDF writer's glyph
    # names and its sRGB profile (a resource) are unconditional.
    "libpng": ("QtGui", bundled("libpng")),
    "harfbuzz-ng": ("QtGui", bundled("harfbuzz")),
    "md4c": ("QtGui", both(bundled("libmd4c"), feature("textmarkdownreader"))),
    **dict.fromkeys(["grayraster", "smooth-scaling-algorithm", "xserverhelper", "aglfn",
                     "icc-sRGB-color-profile", "icc-srgb-color-profile"], ("QtGui", always)),
    # Qt 6.8 builds its Direct3D 12 backend into QtGui on every Windows.
    **dict.fromkeys(["d3d12memoryallocator", "rhi-miniengine-d3d12-mipmap"], ("QtGui", always)),
    **dict.fromkeys(["freetype", "freetype-zlib", "freetype-bdf", "freetype-pcf"],
                    ("QtGui", bundled("freetype"))),
    # The JPEG image plugin is linked into a static program with Gui.
    "libjpeg": ("QtGui (qjpeg)", bundled("libjpeg")),
    **dict.fromkeys(["opengl-headers", "opengl-es2-headers"], ("QtGui", feature("opengl"))),
    **dict.fromkeys(["vulkan-xml-spec", "VulkanMemoryAllocator", "vulkanmemoryallocator"],
                    ("QtGui", feature("vulkan"))),
    # Other systems, or modules the game does not link.
    **dict.fromkeys(["forkfd", "qeventdispatcher_cf", "cocoa-platform-plugin",
                     "android-native-style", "android-gradle-wrapper", "vera_font",
                     "dejayvu", "xcb-xinput", "pixman", "libdbus-1-headers", "psl",
                     "libpsl", "psl-data", "valgrind", "cycle", "linuxperf", "catch2"]),
}

# What some licences ask for beyond their text.
NOTES = {
    "grayraster": "Utilisé selon la FreeType License (FTL), qui demande cette mention :\n"
                  "Portions of this software are copyright © 2000-2016 The FreeType Project\n"
                  "(www.freetype.org). All rights reserved.",
    "blake2": "Utilisé selon CC0 1.0 (au choix avec la licence Apache 2.0).",
    "shared-mime-info": "Utilisée selon la GNU GPL version 3, comme le permet « or later » ;\n"
                        "son texte est en section 5.",
}
