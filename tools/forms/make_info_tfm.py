#!/usr/bin/env python3
"""Writes the descriptions of the three information windows (app/Hersteller_Unit.tfm,
app/Comm1_Unit.tfm, app/Comm2_Unit.tfm) with their pictures (app/data/) stored in
them as the pictures' data, and the maker's contact values taken from app/Contact.h."""
import pathlib
import re

root = pathlib.Path(__file__).resolve().parents[2]
data_dir = root / "app/data"


def contact():
    text = (root / "app/Contact.h").read_text(encoding="utf-8")
    return dict(re.findall(r'char (k\w+)\[\] = "([^"]*)"', text))


def quote(s):
    return "'" + s.replace("'", "''") + "'"


class Writer:
    def __init__(self):
        self.lines = []

    def __call__(self, indent, line):
        self.lines.append("  " * indent + line)

    def picture(self, indent, class_name, path):
        data = bytes([len(class_name)]) + class_name.encode("ascii") + path.read_bytes()
        self(indent, "Picture.Data = {")
        hexdata = data.hex().upper()
        for i in range(0, len(hexdata), 128):
            self(indent + 1, hexdata[i:i + 128])
        self(indent, "}")

    def bounds(self, indent, left, top, width=None, height=None):
        self(indent, f"Left = {left}")
        self(indent, f"Top = {top}")
        if width is not None:
            self(indent, f"Width = {width}")
            self(indent, f"Height = {height}")

    def form(self, name, cls, caption, client_width, client_height):
        w = self
        w(0, f"object {name}: {cls}")
        w(1, "Left = 200")
        w(1, "Top = 100")
        w(1, "BorderIcons = [biSystemMenu]")
        w(1, "BorderStyle = bsDialog")
        w(1, "Caption = " + quote(caption))
        w(1, f"ClientWidth = {client_width}")
        w(1, f"ClientHeight = {client_height}")
        w(1, "Font.Color = clWindowText")
        w(1, "Font.Height = -11")
        w(1, "Font.Name = 'MS Sans Serif'")
        w(1, "Font.Style = []")
        w(1, "Position = poScreenCenter")

    def image(self, name, left, top, width, height, class_name, file, stretch=False):
        w = self
        w(1, f"object {name}: TImage")
        w.bounds(2, left, top, width, height)
        if stretch:
            w(2, "Stretch = True")
        w.picture(2, class_name, data_dir / file)
        w(1, "end")

    def panel(self, left, top, width, height, labels):
        """labels: (left, top, caption, bold)"""
        w = self
        w(1, "object Panel1: TPanel")
        w.bounds(2, left, top, width, height)
        w(2, "BevelInner = bvRaised")
        w(2, "BevelOuter = bvLowered")
        for n, (x, y, caption, bold) in enumerate(labels, 1):
            w(2, f"object Label{n}: TLabel")
            w.bounds(3, x, y)
            w(3, "Caption = " + quote(caption))
            w(3, "Font.Color = clBlue")
            w(3, "Font.Height = -11")
            w(3, "Font.Name = 'MS Sans Serif'")
            w(3, "Font.Style = [fsBold]" if bold else "Font.Style = []")
            w(3, "ParentFont = False")
            w(2, "end")
        w(1, "end")

    def ok_button(self, left, top):
        w = self
        w(1, "object BitBtn1: TBitBtn")
        w.bounds(2, left, top, 89, 25)
        w(2, "Kind = bkOK")
        w(1, "end")

    def save(self, file):
        self(0, "end")
        (root / "app" / file).write_text("\n".join(self.lines) + "\n", encoding="utf-8")


def hersteller():
    c = contact()
    w = Writer()
    w.form("Hersteller_Demo", "THersteller_Demo", "Hersteller", 461, 337)
    w.image("Image1", 192, 16, 257, 121, "TMetafile", "hersteller_logo.svg", stretch=True)
    for n, (left, colour, interval) in enumerate([(48, None, 200), (88, "clLime", 300),
                                                  (128, "clYellow", 500)], 1):
        w(1, f"object Led{n}: TLed")
        w.bounds(2, left, 64, 17, 17)
        if colour:
            w(2, f"ColorActive = {colour}")
        w(2, "Flashing = True")
        w(2, f"FlashInterval = {interval}")
        w(2, "Value = True")
        w(1, "end")
    texts = [
        ("Rufen Sie uns an, wenn Sie technische Fragen zu den Produkten", False),
        ("der Tessaron Serie haben. Wir geben Ihnen gerne Auskunft.", False),
        (c["kCompany"], True),
        (c["kStreet"], False),
        (c["kTown"], False),
        ("Telefon " + c["kPhone"], False),
        ("Telefax " + c["kFax"], False),
        ("CompuServe " + c["kCompuServe"], False),
        ("Internet " + c["kEmail"], False),
    ]
    tops = [16, 32, 56, 72, 88, 104, 120, 136, 152]
    w.panel(8, 148, 337, 185, [(16, y, t, b) for y, (t, b) in zip(tops, texts)])
    w.ok_button(357, 308)
    w.save("Hersteller_Unit.tfm")


def comm1():
    w = Writer()
    w.form("Comm1_Demo", "VAzaz1_Demo", "DUder Demo", 560, 370)
    w.image("Image1", 24, 232, 320, 100, "TBitmap", "gpib_card.bmp")
    w.image("Image2", 8, 14, 320, 200, "TBitmap", "gpib_bus.bmp")
    w.image("Image3", 232, 62, 320, 100, "TBitmap", "gpib_instrument.bmp")
    lines = [
        (16, "Die DUder Komponente bietet Ihnen einfachen und schnellen Zugriff"),
        (32, "auf den GPIB (IEEE-488) Bus. Die meisten der am Markt befindlichen"),
        (48, "programmierbaren Meßgeräte, bieten Ihnen heutzutage diesen Bus."),
        (72, "DUder ist momentan (April 1996) nur für die 16-Bit Version von Delphi"),
        (88, "verfügbar. An der 32-Bit Version wird jedoch gearbeitet."),
        (112, "Fragen Sie uns nach den neuesten Entwicklungen !"),
    ]
    w.panel(159, 152, 353, 153, [(8, y, t, False) for y, t in lines])
    w.ok_button(464, 336)
    w.save("Comm1_Unit.tfm")


def comm2():
    w = Writer()
    w.form("Comm2_Demo", "VAzaz2_Demo", "VAzaz Demo", 560, 370)
    w.image("Image1", 0, 0, 561, 302, "TBitmap", "rs232.bmp")
    lines = [
        (24, "Die Communications Library 2 bietet Ihnen einfachste Befehle"),
        (40, "für die Ansteuerung von Meßgeräten über die RS-232 "),
        (56, "Schnittstelle. Die VAzaz Komponente unterstützt Baudraten"),
        (72, "bis 56000 Baud."),
    ]
    w.panel(72, 240, 313, 113, [(8, y, t, False) for y, t in lines])
    w.ok_button(464, 336)
    w.save("Comm2_Unit.tfm")


hersteller()
comm1()
comm2()
