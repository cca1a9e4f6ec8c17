#!/usr/bin/env python3
"""Writes the notices that klobbet.exe must travel with: it holds a static
Qt, so the release carries Qt's licence (LGPL 3, and the GPL 3 it builds
on), where Qt's source and build recipe are, and the names, copyrights and
licences of the third-party code compiled into the Qt modules the game
links. Headings and explanations are in French, the game's language; the
licence texts stay verbatim in English.

Usage: third_party_notices.py QT_SOURCE OUTPUT --qt-version VERSION
           (--configure-options="OPTIONS" | --configure-options-file FILE)

QT_SOURCE is Debian's qt6-base source, extracted; VERSION its Debian
version (6.4.2+dfsg-10); the options those given to Qt's configure (with
"=", or the first of them would be taken for an option of this script)."""
import argparse
import json
import os
import re
import sys
import textwrap

from qt_components import COMPONENTS, NOTES, feature

GAME_SOURCE = "https://klobbet.org/"


# QtCore embeds freedesktop.org's MIME database as a resource; Qt 6.4.2
# gives it no attribution file, so its entry comes from the file itself.
MIME_DATABASE = "src/corelib/mimetypes/mime/packages/freedesktop.org.xml"


def read_text(path):
    with open(path, encoding="utf-8-sig") as f:
        return f.read().replace("\r\n", "\n").replace("\r", "\n").strip("\n")


def attributions(source):
    """Yields (folder, entry) for each qt_attribution.json entry below src/:
    cmake/, tests/ and util/ only hold build and development tools."""
    for folder, dirs, files in os.walk(os.path.join(source, "src")):
        dirs.sort()
        if "qt_attribution.json" in files:
            # Qt writes raw line breaks inside strings, and repeats a key
            # to comment on it: the last value is the one meant.
            with open(os.path.join(folder, "qt_attribution.json"), encoding="utf-8") as f:
                data = json.loads(f.read(), strict=False)
            for entry in data if isinstance(data, list) else [data]:
                yield folder, entry


def spdx_texts(source, expression):
    """An entry that names no licence file of its own (since Qt 6.5, most
    of them) has its licences' texts in the tree's LICENSES/, by SPDX id."""
    ids = re.findall(r"[A-Za-z0-9.+-]+", expression)
    paths = [os.path.join(source, "LICENSES", f"{ident}.txt") for ident in ids
             if ident not in ("AND", "OR", "WITH")]
    return [read_text(path) for path in paths if os.path.exists(path)]


def mime_database(source, opts):
    path = os.path.join(source, MIME_DATABASE)
    if not (os.path.exists(path) and feature("mimetype")(opts)
            and feature("mimetype-database")(opts)):
        return None
    found = re.search(r"<!--\s*(The freedesktop\.org shared MIME database.*?)-->",
                      read_text(path), re.S)
    return {"Id": "shared-mime-info", "Name": "freedesktop.org shared MIME database",
            "Homepage": "https://www.freedesktop.org/wiki/Software/shared-mime-info/",
            "License": "GNU General Public License v2.0 or later",
            "LicenseId": "GPL-2.0-or-later", "module": "QtCore",
            "licence_texts": [found.group(1).strip()] if found else []}


def components(source, opts):
    """The entries compiled in, QtCore's first, each with its module and
    licence texts read; fails on an attribution it does not know."""
    found, unknown = {}, []
    for folder, entry in attributions(source):
        if entry["Id"] not in COMPONENTS:
            unknown.append(f"{entry['Id']} ({os.path.relpath(folder, source)})")
            continue
        files = entry.get("LicenseFiles") or [entry[k] for k in ["LicenseFile"] if k in entry]
        entry["licence_texts"] = ([read_text(os.path.join(folder, name)) for name in files]
                                  or spdx_texts(source, entry.get("LicenseId", "")))
        if "CopyrightFile" in entry:
            entry["Copyright"] = read_text(os.path.join(folder, entry["CopyrightFile"]))
        elif isinstance(entry.get("Copyright"), list):  # one line each, since Qt 6.5
            entry["Copyright"] = "\n".join(entry["Copyright"])
        found[entry["Id"]] = entry
    if unknown:
        sys.exit("third_party_notices.py: attributions not classified yet, see COMPONENTS: "
                 + ", ".join(unknown))
    chosen = []
    for ident, rule in COMPONENTS.items():
        if rule and ident in found and rule[1](opts):
            chosen.append(dict(found[ident], module=rule[0]))
    mime = mime_database(source, opts)
    return sorted(chosen + [mime] if mime else chosen, key=lambda entry: entry["module"])


def number_texts(chosen):
    """Numbers the licence texts once each: texts that differ only in
    spacing are one, and a text found whole inside another (SipHash's CC0
    inside BLAKE2's CC0-or-Apache file) points at that one."""
    def flat(text):
        return " ".join(text.split())
    texts = []
    for entry in chosen:
        for text in entry["licence_texts"]:
            if all(flat(text) != flat(t) for t in texts):
                texts.append(text)
    kept = [t for t in texts if not any(flat(t) in flat(o) and t is not o for o in texts)]
    for entry in chosen:
        entry["refs"] = sorted({next(i for i, k in enumerate(kept, 1) if flat(t) in flat(k))
                                for t in entry["licence_texts"]})
    return kept


def heading(title, mark="="):
    return f"{title}\n{mark * len(title)}\n"


def wrap(text, indent, width=78):
    return textwrap.fill(text, width, initial_indent=indent, subsequent_indent=indent + "  ",
                         break_on_hyphens=False, break_long_words=False)


def licence_file(source, names):
    """The first of the names the tree has: LICENSES/ since Qt 6.4,
    LICENSE.* at the top before."""
    for name in names:
        if os.path.exists(os.path.join(source, name)):
            return read_text(os.path.join(source, name))
    sys.exit(f"third_party_notices.py: none of {', '.join(names)} in {source}")


def notices(source, qt_version, options):
    opts = set(options)
    upstream = re.match(r"[0-9.]*[0-9]", qt_version.split(":")[-1]).group(0)
    lgpl = licence_file(source, ["LICENSES/LGPL-3.0-only.txt", "LICENSE.LGPL3"])
    gpl = licence_file(source, ["LICENSES/GPL-3.0-only.txt", "LICENSE.GPL3"])
    chosen = components(source, opts)
    texts = number_texts(chosen)
    out = [heading("KLOBBET POUR WINDOWS : LOGICIELS TIERS ET LICENCES"), f"""
Ce fichier accompagne klobbet.exe. Il présente les logiciels d'autres
auteurs que contient ce programme, et leurs licences.

Klobbet est un logiciel libre, publié selon la licence publique générale
GNU (GNU GPL) version 3 ou ultérieure ; son code source est disponible sur
{GAME_SOURCE}


""", heading("1. Qt", "-"), f"""
klobbet.exe contient la bibliothèque Qt {upstream} (module qtbase : QtCore,
QtGui, QtWidgets, le module de plateforme « windows » et le style
« windowsvista »), liée statiquement : elle fait partie du fichier
klobbet.exe lui-même, sans DLL à côté.

Qt est l'œuvre de The Qt Company Ltd. et d'autres contributeurs
(Copyright (C) The Qt Company Ltd. and other contributors). Klobbet
l'utilise selon la licence publique générale limitée GNU (GNU Lesser
General Public License, LGPL) version 3, dont le texte est en section 4 ;
elle complète la GNU GPL version 3, dont le texte est en section 5.

Source correspondante de Qt
  Le code source de Qt utilisé est celui du paquet source Debian
  « qt6-base », version {qt_version} : les sources publiées par Qt, dont
  Debian a retiré quelques fichiers non libres et auxquelles il applique
  ses correctifs. On l'obtient :
    - sur une machine Debian : apt-get source qt6-base={qt_version}
    - en ligne : https://snapshot.debian.org/package/qt6-base/{qt_version}/

Recette de construction
  Elle fait partie du code source du jeu, sur {GAME_SOURCE} :
  le fichier scripts/lib/windows_qt.sh construit Qt avec le compilateur
  mingw-w64 et ces options de configuration :
{wrap(" ".join(options), "    ")}

Relier le jeu à un autre Qt
  Qt étant lié statiquement, la LGPL demande que vous puissiez relier le
  jeu à une version modifiée de Qt. Le code source complet du jeu, ses
  scripts de construction compris, est disponible selon la GNU GPL sur
  {GAME_SOURCE} : vous pouvez reconstruire klobbet.exe avec votre
  propre Qt.


""", heading("2. Composants tiers inclus dans Qt", "-"), """
Ces composants, écrits par des tiers, sont compilés dans les modules de Qt
ci-dessus. Les textes de leurs licences, en anglais, sont en section 3.
"""]
    for n, entry in enumerate(chosen, 1):
        out.append(f"\n2.{n}. {entry['Name']}\n    Module : {entry['module']}\n")
        if entry.get("Version"):
            out.append(f"    Version : {entry['Version']}\n")
        if entry.get("Homepage", "").startswith("http"):
            out.append(f"    Site : {entry['Homepage']}\n")
        licence = entry.get("License", "")
        if entry.get("LicenseId") and entry["LicenseId"] != licence:
            licence += f" ({entry['LicenseId']})"
        out.append(wrap(f"Licence : {licence}", "    ") + "\n")
        refs = ", ".join(f"[{i}]" for i in entry["refs"])
        out.append(f"    Texte : {refs} en section 3\n" if refs else
                   "    Texte : aucun (domaine public)\n")
        if entry.get("Copyright"):
            out.append("    Droits d'auteur :\n")
            for line in entry["Copyright"].strip().split("\n"):
                out.append(wrap(line.strip(), "      ", 100).rstrip(" ") + "\n")
        if entry["Id"] in NOTES:
            out.append("".join(f"    {line}\n" for line in NOTES[entry["Id"]].split("\n")))
    out += ["\n\n", heading("3. Textes des licences des composants tiers", "-")]
    for i, text in enumerate(texts, 1):
        users = ", ".join(e["Name"] for e in chosen if i in e["refs"])
        out.append(f"\n{wrap(f'[{i}] Pour : {users}', '')}\n{'-' * 76}\n{text}\n{'-' * 76}\n")
    out += ["\n\n", heading("4. GNU Lesser General Public License, version 3", "-"),
            "\n", lgpl, "\n\n\n", heading("5. GNU General Public License, version 3", "-"),
            "\n", gpl, "\n"]
    return "".join(out)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("source")
    parser.add_argument("output")
    parser.add_argument("--qt-version", required=True)
    given = parser.add_mutually_exclusive_group(required=True)
    given.add_argument("--configure-options")
    given.add_argument("--configure-options-file")
    args = parser.parse_args()
    if args.configure_options_file:
        with open(args.configure_options_file, encoding="utf-8") as f:
            options = f.read().split()
    else:
        options = args.configure_options.split()
    text = notices(args.source, args.qt_version, options)
    # CRLF, for Notepad; open() turns each \n into \r\n.
    with open(args.output, "w", encoding="utf-8", newline="\r\n") as f:
        f.write(text)


if __name__ == "__main__":
    main()
