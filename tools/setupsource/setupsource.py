#!/usr/bin/env python3
"""Writes a complete installation source for the installer: setupsource.py OUTPUT_DIR PROGRAMS_DIR.

OUTPUT_DIR gets the install script "setupm.ini", the language folder "is-00001" with a language file
"setuplan.<ext>", a read-me "readme.<ext>" and an uninstaller text "uninst.<ext>" for each of the twenty
languages, a folder per language extension with the language libraries, and the product's files.
VORRIN.DLL, TAMSEL.DLL, OSTREL.EXE and the uninstaller uninst00.exe are copied from PROGRAMS_DIR (the
build of the architecture being installed); the other files are small stand-ins. English, German and French texts are complete; the other
languages carry the English texts under their own names. Texts are written in Windows-1252.
"""
import os
import shutil
import struct
import sys

EXTENSIONS = ["chs", "cht", "CSY", "DAN", "deu", "nld", "enu", "FIN", "fra", "ELL",
              "HUN", "ita", "jpn", "kor", "NOR", "PLK", "PTG", "RUS", "esp", "SVE"]

SCRIPT = [
    ("Manufacture", [("Manufacture", "Ferrowin")]),
    ("Product", [("Product", "Ferrowin Multimedia Keyboard"), ("Version", "1.0"), ("Key", "Ferrowin"),
                 ("VER", "1.0.0.1")]),
    ("Target", [("Dir", "Ferrowin\\Keyboard"), ("Folder", "Ferrowin Keyboard")]),
    ("Display Name", [("Name", "Ferrowin Multimedia Keyboard")]),
    ("Title", [("CaptionBar", "Ferrowin Keyboard Setup"), ("Main", "FerrowinKeyboard")]),
    ("Uninstall", [("DisplayName", "Ferrowin Multimedia Keyboard"), ("Key", "FerrowinKeyboard")]),
    ("Applications", [("Main", "OSTREL.EXE"), ("IniFile", "SETTING.INI"), ("DllFile", "VORRIN.DLL")]),
    # target,name[,icon]; a "%" in the name takes MSG "12".
    ("Icons", [("1", "OSTREL.EXE,Keyboard Application"),
               ("2", "Orvel.mk,Keyboard Help,BRUNE.hmt"),
               ("3", "DRAVEN.EXE,%s Settings,PIMA.BMP")]),
]

PROGRAMS = ["VORRIN.DLL", "TAMSEL.DLL", "OSTREL.EXE", "uninst00.exe"]
STAND_INS = ["Orvel.mk", "BRUNE.hmt", "zelt32g.dll", "HESKAR.VXD", "SOLDATA.DAT", "SOLDSET.DAT",
             "DRAVEN.EXE"]
BITMAPS = ["PIMA.BMP", "PIMAMASK.BMP"]
LANGUAGE_FILES = ["yarlan.dll", "zelt32s.dll"]

ENGLISH = {
    "MSG": [
        ("1", "< &Back"), ("8", "B&rowse..."), ("7", "&Finish"), ("2", "&Next >"), ("4", "&Cancel"),
        ("11", "Setup of"), ("12", "Ferrowin Keyboard"), ("10", "Setup"),
        ("13", "Choose the language of Setup"),
        ("20", "Exit Setup"), ("21", "&Resume"), ("22", "E&xit Setup"),
        ("23", "Setup is not complete. If you exit now, the program will not be installed."),
        ("24", "You may run Setup again at a later time to complete the installation."),
        ("25", "To continue installing, choose Resume. To quit Setup, choose Exit Setup."),
        ("301", "Copying files..."), ("302", "Making registry entries..."),
        ("303", "Updating the system configuration..."), ("304", "Creating shortcuts..."),
        ("306", "Registering the uninstaller..."),
    ],
    "DLG": [
        ("P1T", "Welcome"),
        ("P11", "Welcome to the setup program of"),
        ("P12", "This program installs the keyboard software on your computer."),
        ("P13", "It is strongly recommended that you exit all Windows programs before running this Setup "
                "program."),
        ("P14", "Click Cancel to quit Setup and close any running programs. Click Next to continue."),
        ("P15", "WARNING: This program is protected by copyright law."),
        ("P16", "Unauthorized reproduction or distribution of this program may result in severe civil "
                "and criminal penalties."),
        ("P2T", "Read Me"),
        ("P21", "Please read the following information before you continue."),
        ("P3T", "Choose Destination Location"),
        ("P31", "Setup will install %P in the following folder."),
        ("P32", "To install to this folder, click Next. To install to a different folder, type it below "
                "or click Browse and select another folder."),
        ("P33", "Space required:"),
        ("P4T", "Select Program Folder"),
        ("P41", "Setup will add program icons to the Program Folder listed below. You may type a new "
                "folder name, or select one from the Existing Folders list."),
        ("P42", "Program Folder:"),
        ("P43", "Existing Folders:"),
        ("P5T", "Start Copying Files"),
        ("P51", "Setup has enough information to start copying the program files. If you want to review "
                "or change any settings, click Back. If you are satisfied with the settings, click Next "
                "to begin copying files."),
        ("P7T", "Connection Type"),
        ("P71", "Choose how the keyboard is connected to your computer."),
        ("TORRIK3", "PS/2 keyboard port"),
        ("TORRIK5", "USB port"),
        ("PFT", "Setup Complete"),
        ("PF1", "Setup has finished installing %P on your computer."),
        ("PF2", "Before you can use the program, you must restart your computer."),
        ("PF3", "Setup has finished copying files to your computer."),
        ("PF4", "Yes, I want to restart my computer now."),
        ("PF5", "No, I will restart my computer later."),
    ],
}

GERMAN = {
    "MSG": [
        ("1", "< &Zur\u00fcck"), ("8", "&Durchsuchen..."), ("7", "&Fertig stellen"), ("2", "&Weiter >"),
        ("4", "&Abbrechen"),
        ("11", "Installation von"), ("12", "Ferrowin Tastatur"), ("10", "Installation"),
        ("13", "W\u00e4hlen Sie die Sprache der Installation"),
        ("20", "Installation beenden"), ("21", "&Fortsetzen"), ("22", "&Beenden"),
        ("23", "Die Installation ist nicht abgeschlossen. Wenn Sie jetzt beenden, wird das Programm "
               "nicht installiert."),
        ("24", "Sie k\u00f6nnen die Installation sp\u00e4ter erneut starten, um sie abzuschlie\u00dfen."),
        ("25", "W\u00e4hlen Sie Fortsetzen, um weiter zu installieren, oder Beenden, um die Installation "
               "zu verlassen."),
        ("301", "Dateien werden kopiert..."), ("302", "Registrierungseintr\u00e4ge werden erstellt..."),
        ("303", "Die Systemkonfiguration wird aktualisiert..."),
        ("304", "Verkn\u00fcpfungen werden erstellt..."),
        ("306", "Das Deinstallationsprogramm wird registriert..."),
    ],
    "DLG": [
        ("P1T", "Willkommen"),
        ("P11", "Willkommen beim Installationsprogramm von"),
        ("P12", "Dieses Programm installiert die Tastatursoftware."),
        ("P13", "Es wird dringend empfohlen, vor dem Ausf\u00fchren dieses Installationsprogramms alle "
                "Windows-Programme zu beenden."),
        ("P14", "Klicken Sie auf Abbrechen, um die Installation zu beenden, oder auf Weiter, um "
                "fortzufahren."),
        ("P15", "WARNUNG: Dieses Programm ist urheberrechtlich gesch\u00fctzt."),
        ("P16", "Unerlaubte Vervielf\u00e4ltigung oder Verbreitung dieses Programms kann zivil- und "
                "strafrechtlich verfolgt werden."),
        ("P2T", "Liesmich"),
        ("P21", "Bitte lesen Sie die folgenden Informationen, bevor Sie fortfahren."),
        ("P3T", "Zielordner w\u00e4hlen"),
        ("P31", "%P wird in den folgenden Ordner installiert."),
        ("P32", "Klicken Sie auf Weiter, um in diesen Ordner zu installieren. Um in einen anderen Ordner "
                "zu installieren, geben Sie ihn unten ein oder klicken Sie auf Durchsuchen."),
        ("P33", "Ben\u00f6tigter Speicherplatz:"),
        ("P4T", "Programmordner ausw\u00e4hlen"),
        ("P41", "Die Programmsymbole werden dem unten angegebenen Programmordner hinzugef\u00fcgt. Sie "
                "k\u00f6nnen einen neuen Ordnernamen eingeben oder einen vorhandenen Ordner w\u00e4hlen."),
        ("P42", "Programmordner:"),
        ("P43", "Vorhandene Ordner:"),
        ("P5T", "Kopieren der Dateien starten"),
        ("P51", "Die Installation hat alle Angaben, um die Programmdateien zu kopieren. Um Einstellungen "
                "zu pr\u00fcfen oder zu \u00e4ndern, klicken Sie auf Zur\u00fcck. Klicken Sie auf Weiter, "
                "um mit dem Kopieren zu beginnen."),
        ("P7T", "Anschlussart"),
        ("P71", "W\u00e4hlen Sie, wie die Tastatur an Ihren Computer angeschlossen ist."),
        ("TORRIK3", "PS/2-Tastaturanschluss"),
        ("TORRIK5", "USB-Anschluss"),
        ("PFT", "Installation abgeschlossen"),
        ("PF1", "%P wurde erfolgreich auf Ihrem Computer installiert."),
        ("PF2", "Bevor Sie das Programm verwenden k\u00f6nnen, m\u00fcssen Sie den Computer neu starten."),
        ("PF3", "Die Dateien wurden auf Ihren Computer kopiert."),
        ("PF4", "Ja, ich m\u00f6chte den Computer jetzt neu starten."),
        ("PF5", "Nein, ich werde den Computer sp\u00e4ter neu starten."),
    ],
}

FRENCH = {
    "MSG": [
        ("1", "< &Pr\u00e9c\u00e9dent"), ("8", "&Parcourir..."), ("7", "&Terminer"), ("2", "&Suivant >"),
        ("4", "&Annuler"),
        ("11", "Installation de"), ("12", "Clavier Ferrowin"), ("10", "Installation"),
        ("13", "Choisissez la langue de l'installation"),
        ("20", "Quitter l'installation"), ("21", "&Reprendre"), ("22", "&Quitter"),
        ("23", "L'installation n'est pas termin\u00e9e. Si vous quittez maintenant, le programme ne sera "
               "pas install\u00e9."),
        ("24", "Vous pourrez relancer l'installation plus tard pour la terminer."),
        ("25", "Pour continuer l'installation, choisissez Reprendre. Pour quitter, choisissez Quitter."),
        ("301", "Copie des fichiers..."), ("302", "Cr\u00e9ation des entr\u00e9es du registre..."),
        ("303", "Mise \u00e0 jour de la configuration du syst\u00e8me..."),
        ("304", "Cr\u00e9ation des raccourcis..."),
        ("306", "Enregistrement du programme de d\u00e9sinstallation..."),
    ],
    "DLG": [
        ("P1T", "Bienvenue"),
        ("P11", "Bienvenue dans le programme d'installation de"),
        ("P12", "Ce programme installe le logiciel du clavier."),
        ("P13", "Il est vivement conseill\u00e9 de quitter tous les programmes Windows avant de lancer "
                "cette installation."),
        ("P14", "Cliquez sur Annuler pour quitter l'installation, ou sur Suivant pour continuer."),
        ("P15", "AVERTISSEMENT : ce programme est prot\u00e9g\u00e9 par la loi sur le droit d'auteur."),
        ("P16", "Toute reproduction ou distribution non autoris\u00e9e de ce programme est passible de "
                "poursuites civiles et p\u00e9nales."),
        ("P2T", "Lisez-moi"),
        ("P21", "Veuillez lire les informations suivantes avant de continuer."),
        ("P3T", "Choix du dossier de destination"),
        ("P31", "L'installation va installer %P dans le dossier suivant."),
        ("P32", "Pour installer dans ce dossier, cliquez sur Suivant. Pour installer dans un autre "
                "dossier, tapez-le ci-dessous ou cliquez sur Parcourir."),
        ("P33", "Espace requis :"),
        ("P4T", "S\u00e9lection du dossier de programmes"),
        ("P41", "Les ic\u00f4nes du programme seront ajout\u00e9es au dossier de programmes ci-dessous. "
                "Vous pouvez taper un nouveau nom ou choisir un dossier existant."),
        ("P42", "Dossier de programmes :"),
        ("P43", "Dossiers existants :"),
        ("P5T", "D\u00e9but de la copie des fichiers"),
        ("P51", "L'installation dispose de toutes les informations pour copier les fichiers. Pour revoir "
                "ou modifier les param\u00e8tres, cliquez sur Pr\u00e9c\u00e9dent. Sinon, cliquez sur "
                "Suivant pour commencer la copie."),
        ("P7T", "Type de connexion"),
        ("P71", "Choisissez comment le clavier est reli\u00e9 \u00e0 votre ordinateur."),
        ("TORRIK3", "Port clavier PS/2"),
        ("TORRIK5", "Port USB"),
        ("PFT", "Installation termin\u00e9e"),
        ("PF1", "L'installation de %P sur votre ordinateur est termin\u00e9e."),
        ("PF2", "Vous devez red\u00e9marrer l'ordinateur avant d'utiliser le programme."),
        ("PF3", "Les fichiers ont \u00e9t\u00e9 copi\u00e9s sur votre ordinateur."),
        ("PF4", "Oui, je veux red\u00e9marrer l'ordinateur maintenant."),
        ("PF5", "Non, je red\u00e9marrerai l'ordinateur plus tard."),
    ],
}

README_PARAGRAPHS = {
    "enu": ["Ferrowin Multimedia Keyboard - Read Me",
            "This file describes the keyboard software and what to check before you use it.",
            "The keyboard application starts with Windows and turns the special keys of the keyboard "
            "into actions: the volume keys set the master volume, the mute key switches the sound off and "
            "on, and the internet keys open the browser and the mail program."],
    "deu": ["Ferrowin Multimedia-Tastatur - Liesmich",
            "Diese Datei beschreibt die Tastatursoftware und was Sie vor der Verwendung pr\u00fcfen "
            "sollten.",
            "Die Tastaturanwendung startet mit Windows und setzt die Sondertasten der Tastatur in "
            "Aktionen um: die Lautst\u00e4rketasten stellen die Gesamtlautst\u00e4rke ein, die Stummtaste "
            "schaltet den Ton aus und ein, und die Internettasten \u00f6ffnen den Browser und das "
            "E-Mail-Programm."],
    "fra": ["Clavier multim\u00e9dia Ferrowin - Lisez-moi",
            "Ce fichier d\u00e9crit le logiciel du clavier et ce qu'il faut v\u00e9rifier avant de "
            "l'utiliser.",
            "L'application du clavier d\u00e9marre avec Windows et transforme les touches sp\u00e9ciales en "
            "actions : les touches de volume r\u00e8glent le volume principal, la touche muet coupe et "
            "r\u00e9tablit le son, et les touches Internet ouvrent le navigateur et la messagerie."],
}


def ini_text(sections):
    lines = []
    for section, entries in sections:
        lines.append("[%s]" % section)
        lines.extend("%s=%s" % (key, value) for key, value in entries)
        lines.append("")
    return "\r\n".join(lines)


def write_text(path, text):
    with open(path, "wb") as out:
        out.write(text.encode("cp1252"))


def texts_for(extension):
    return {"deu": GERMAN, "fra": FRENCH}.get(extension, ENGLISH)


def readme_for(extension):
    paragraphs = README_PARAGRAPHS.get(extension, README_PARAGRAPHS["enu"])
    lines = [paragraphs[0], "=" * len(paragraphs[0]), ""]
    # Several kilobytes, so that the read-me page has to scroll.
    for number in range(1, 25):
        lines.append("%d. %s" % (number, paragraphs[1 + number % 2]))
        lines.append("")
    return "\r\n".join(lines)


def bitmap(width, height, colour):
    """A 24-bit bottom-up BMP of one colour."""
    row = bytes(colour) * width
    row += b"\0" * ((4 - len(row) % 4) % 4)
    pixels = row * height
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(pixels), 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return header + info + pixels


def main(argv):
    if len(argv) != 3:
        sys.stderr.write("usage: setupsource.py OUTPUT_DIR PROGRAMS_DIR\n")
        return 2
    out, programs = argv[1], argv[2]
    os.makedirs(out, exist_ok=True)
    write_text(os.path.join(out, "setupm.ini"), ini_text(SCRIPT))
    languages = os.path.join(out, "is-00001")
    os.makedirs(languages, exist_ok=True)
    for extension in EXTENSIONS:
        texts = texts_for(extension)
        write_text(os.path.join(languages, "setuplan.%s" % extension),
                   ini_text([("MSG", texts["MSG"]), ("DLG", texts["DLG"])]))
        write_text(os.path.join(languages, "readme.%s" % extension), readme_for(extension))
        write_text(os.path.join(languages, "uninst.%s" % extension),
                   ini_text([("Strings", [("Title", texts["MSG"][9][1]), ("Language", extension)])]))
        folder = os.path.join(out, extension)
        os.makedirs(folder, exist_ok=True)
        for name in LANGUAGE_FILES:
            write_text(os.path.join(folder, name), "stand-in for %s (%s)\r\n" % (name, extension))
    for name in PROGRAMS:
        shutil.copyfile(os.path.join(programs, name), os.path.join(out, name))
    for name in STAND_INS:
        write_text(os.path.join(out, name), "stand-in for %s\r\n" % name)
    with open(os.path.join(out, BITMAPS[0]), "wb") as picture:
        picture.write(bitmap(16, 16, (200, 80, 20)))
    with open(os.path.join(out, BITMAPS[1]), "wb") as mask:
        mask.write(bitmap(16, 16, (0, 0, 0)))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
