#!/usr/bin/env python3
"""Writes app/Main.tfm, the main window's description, with the background
bitmap (app/data/TSRN0120.BMP) stored in it as the picture's data."""
import pathlib

root = pathlib.Path(__file__).resolve().parents[2]
bmp = (root / "app/data/TSRN0120.BMP").read_bytes()
data = bytes([len(b"TBitmap")]) + b"TBitmap" + bmp

menu = [
    ("Demo1", "&Demo", "Demo1Click", [
        ("VavozividerOdavode1", "&Vavozivider Odavode", None, [
            ("PotentiometerTDial1", "&Potentiometer (TDial)", "PotentiometerTDial1Click", []),
            ("SchiebereglerTSlider1", "&Schieberegler (TSlider)", "SchiebereglerTSlider1Click", []),
            ("LCDAnzeigeTPanelMeter1", "&LCD Anzeige (TPanelMeter)", "LCDAnzeigeTPanelMeter1Click", []),
            ("YtAnzeigeTHistograph1", "&Yt-Anzeige (THistograph)", "YtAnzeigeTHistograph1Click", []),
            ("XYAnzeigeTHistograph1", "&XY-Anzeige (THistograph)", "XYAnzeigeTHistograph1Click", []),
            ("N8KanalSchreiber1", "&8-Kanal Schreiber (TStripchart)", "N8KanalSchreiber1Click", []),
            ("LedTLed1", "L&ed (TLed)", "LedTLed1Click", []),
            ("DatenloggerTFastlog1", "&Datenlogger (TFastlog)", "DatenloggerTFastlog1Click", []),
            ("AnaloginstrumentTMeter1", "&Analoginstrument (TMeter)", "AnaloginstrumentTMeter1Click", []),
            ("BargraphTBargraph1", "&Bargraph (TBargraph)", "BargraphTBargraph1Click", []),
        ]),
        ("ScientificLibrary1", "&Scientific Library", None, [
            ("Autokorrelation1", "&Autokorrelation", "Autokorrelation1Click", []),
            ("Kreuzkorrelation1", "&Kreuzkorrelation", "Kreuzkorrelation1Click", []),
            ("FourierTransformation1", "&Fourier Transformation", "FourierTransformation1Click", []),
            ("Leistungsdichte1", "&Leistungsdichte", "Leistungsdichte1Click", []),
            ("Kreuzleistungsdichte1", "&Kreuzleistungsdichte", "Kreuzleistungsdichte1Click", []),
        ]),
        ("FilterLibrary1", "&Filter Library", None, [
            ("RCHochpa1", "RC &Hochpaß", "RCHochpa1Click", []),
            ("RCTiefpa1", "RC &Tiefpaß", "RCTiefpa1Click", []),
            ("IIRFilter1", "&IIR Filter", "IIRFilter1Click", []),
            ("StatevariableFilter1", "&State variable Filter", "StatevariableFilter1Click", []),
        ]),
        ("CommunicationsLibrary1", "&Communications Library", None, [
            ("GPIB1", "&GPIB Kommunikation", "GPIB1Click", []),
            ("RS232Kommunikation1", "RS-232 Kommunikation", "RS232Kommunikation1Click", []),
        ]),
        ("N1", "-", None, []),
        ("Bildhintergrund1", "Bildhintergrund", "Bildhintergrund1Click", [], True),
        ("N2", "-", None, []),
        ("Beenden1", "&Beenden", "Beenden1Click", []),
    ]),
    ("Handbuch1", "&Handbuch", None, [
        ("Handbuchaufrufen1", "Handbuch &aufrufen", "Handbuchaufrufen1Click", []),
    ]),
    ("Produktinformation1", "&Produktinformation", None, [
        ("Hersteller1", "&Hersteller", "Hersteller1Click", []),
        ("Datenbltter1", "&Datenblätter", "Datenbltter1Click", []),
    ]),
    ("Hilfe1", "&Hilfe", None, [
        ("berdiesesDemo1", "&Über dieses Demo", "berdiesesDemo1Click", []),
    ]),
]

def quote(s):
    return "'" + s.replace("'", "''") + "'"

out = []
w = out.append
w("object Tessaron32: TTessaron32")
w("  Left = 233")
w("  Top = 112")
w("  Width = 815")
w("  Height = 616")
w("  Caption = " + quote("Tessaron für Delphi 2.0"))
w("  Color = clBtnFace")
w("  Font.Color = clWindowText")
w("  Font.Height = -11")
w("  Font.Name = 'MS Sans Serif'")
w("  Menu = MainMenu1")
w("  WindowState = wsMaximized")
w("  OnCreate = FormCreate")

def item(entry, indent):
    name, caption, handler, children = entry[:4]
    checked = len(entry) > 4 and entry[4]
    pad = "  " * indent
    w(f"{pad}object {name}: TMenuItem")
    w(f"{pad}  Caption = {quote(caption)}")
    if checked:
        w(f"{pad}  Checked = True")
    if handler:
        w(f"{pad}  OnClick = {handler}")
    for c in children:
        item(c, indent + 1)
    w(f"{pad}end")

w("  object MainMenu1: TMainMenu")
for e in menu:
    item(e, 2)
w("  end")
w("  object Image1: TImage")
w("    Left = 0")
w("    Top = 0")
w("    Width = 807")
w("    Height = 528")
w("    Align = alClient")
w("    Stretch = True")
w("    Picture.Data = {")
hexdata = data.hex().upper()
for i in range(0, len(hexdata), 128):
    w("      " + hexdata[i:i + 128])
w("    }")
w("  end")
w("  object Panel1: TPanel")
w("    Left = 0")
w("    Top = 528")
w("    Width = 807")
w("    Height = 41")
w("    Align = alBottom")
w("    BevelOuter = bvNone")
w("    object Label1: TLabel")
w("      Left = 0")
w("      Top = 0")
w("      Width = 807")
w("      Height = 41")
w("      Align = alClient")
w("      Alignment = taCenter")
w("      AutoSize = False")
w("      Caption = " + quote("Tessaron 32 - Die volle 32-Bit Power !"))
w("      Font.Color = clRed")
w("      Font.Height = -35")
w("      Font.Name = 'Arial'")
w("      Font.Style = [fsBold]")
w("      ParentFont = False")
w("    end")
w("    object Panel2: TPanel")
w("      Left = -1216")
w("      Top = 8")
w("      Width = 1225")
w("      Height = 25")
w("      Alignment = taLeftJustify")
w("      BevelOuter = bvNone")
w("      Font.Color = clRed")
w("      Font.Height = -16")
w("      Font.Name = 'Arial'")
w("      Font.Style = [fsBold]")
w("      ParentFont = False")
w("    end")
w("  end")
w("  object Timer1: TTimer")
w("    Enabled = False")
w("    Interval = 10")
w("    OnTimer = Timer1Timer")
w("  end")
w("end")
(root / "app/Main.tfm").write_text("\n".join(out) + "\n", encoding="utf-8")
