#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Lumivane developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Fills every message of a .ts file (as lupdate wrote it) with a pseudo-translation: the source
text between ⟦ and ⟧, placeholders kept. A window run with it shows which texts escaped
translation: those without the brackets."""
import sys
import xml.etree.ElementTree as ET

path = sys.argv[1]
tree = ET.parse(path)
for message in tree.iter("message"):
    source = message.findtext("source") or ""
    translation = message.find("translation")
    if translation is None:
        translation = ET.SubElement(message, "translation")
    translation.attrib.pop("type", None)
    if message.get("numerus") == "yes":
        for form in list(translation):
            translation.remove(form)
        ET.SubElement(translation, "numerusform").text = "⟦" + source + "⟧"
    else:
        translation.text = "⟦" + source + "⟧"
tree.write(path, encoding="utf-8", xml_declaration=True)
