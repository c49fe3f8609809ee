<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
    <context>
        <name>Form1</name>
        <message>
            <source>Address Number:</source>
            <translation>Abfrageadresse:</translation>
        </message>
        <message>
            <source>Find Devices</source>
            <translation>Geräte suchen</translation>
        </message>
        <message>
            <source>Manufacturing ID:</source>
            <translation>Hersteller-ID:</translation>
        </message>
        <message>
            <source>Sensor Type:</source>
            <translation>Sensortyp:</translation>
        </message>
        <message>
            <source>Preamble Length:</source>
            <translation>Präambellänge:</translation>
        </message>
        <message>
            <source>Sensor Serial Number:</source>
            <translation>Sensor-Seriennr.:</translation>
        </message>
        <message>
            <source>Communication Test</source>
            <translation>Verbindungstest</translation>
        </message>
        <message>
            <source>Current Value:</source>
            <translation>Stromwert:</translation>
        </message>
        <message>
            <source>Output Percentage:</source>
            <translation>Ausgang in %:</translation>
        </message>
        <message>
            <source>Current Query</source>
            <translation>Strom lesen</translation>
        </message>
        <message>
            <source>Variable %1:</source>
            <translation>Variable %1:</translation>
        </message>
        <message>
            <source>Unit:</source>
            <translation>Einheit:</translation>
        </message>
        <message>
            <source>Instrument Data Query</source>
            <translation>Messwerte lesen</translation>
        </message>
        <message>
            <source>Live</source>
            <translation>Live</translation>
        </message>
        <message>
            <source>fastest</source>
            <translation>max.</translation>
        </message>
        <message>
            <source>Time between two samples</source>
            <translation>Zeit zwischen zwei Messungen</translation>
        </message>
        <message>
            <source>Trend...</source>
            <translation>Verlauf...</translation>
        </message>
        <message>
            <source>OUT DC4-20mA Output</source>
            <translation>OUT DC4-20mA Ausgang</translation>
        </message>
        <message>
            <source>OUT  DC20mA:</source>
            <translation>OUT  DC20mA:</translation>
        </message>
        <message>
            <source>OUT  DC4mA:</source>
            <translation>OUT  DC4mA:</translation>
        </message>
        <message>
            <source>Query</source>
            <translation>Lesen</translation>
        </message>
        <message>
            <source>Set</source>
            <translation>Setzen</translation>
        </message>
        <message>
            <source>Current Output</source>
            <translation>Stromausgang</translation>
        </message>
        <message>
            <source>4mA Output</source>
            <translation>4mA Ausgang</translation>
        </message>
        <message>
            <source>8mA Output</source>
            <translation>8mA Ausgang</translation>
        </message>
        <message>
            <source>12mA Output</source>
            <translation>12mA Ausgang</translation>
        </message>
        <message>
            <source>16mA Output</source>
            <translation>16mA Ausgang</translation>
        </message>
        <message>
            <source>20mA Output</source>
            <translation>20mA Ausgang</translation>
        </message>
        <message>
            <source>Other Output</source>
            <translation>Anderer Wert</translation>
        </message>
        <message>
            <source>Exit Fixed Mode</source>
            <translation>Festmodus beenden</translation>
        </message>
        <message>
            <source>Instrument Information:</source>
            <translation>Nachricht:</translation>
        </message>
        <message>
            <source>maximum 32 characters</source>
            <translation>max. 32 Zeichen</translation>
        </message>
        <message>
            <source>Tag:</source>
            <translation>Messstellen-Tag:</translation>
        </message>
        <message>
            <source>maximum 8 characters</source>
            <translation>max. 8 Zeichen</translation>
        </message>
        <message>
            <source>Descriptor:</source>
            <translation>Beschreibung:</translation>
        </message>
        <message>
            <source>maximum 16 characters</source>
            <translation>max. 16 Zeichen</translation>
        </message>
        <message>
            <source>Year</source>
            <translation>Jahr</translation>
        </message>
        <message>
            <source>Month</source>
            <translation>Monat</translation>
        </message>
        <message>
            <source>Day</source>
            <translation>Tag</translation>
        </message>
        <message>
            <source>Date Of Production:</source>
            <translation>Herstelldatum:</translation>
        </message>
        <message>
            <source>note：the serial number is less than 16777215</source>
            <translation>Hinweis: Seriennummer kleiner als 16777215</translation>
        </message>
        <message>
            <source>Assembly Number:</source>
            <translation>Baugruppennr.:</translation>
        </message>
        <message>
            <source>Address Modification:</source>
            <translation>Adresse ändern:</translation>
        </message>
        <message>
            <source>LTAG:</source>
            <translation>Langer Tag:</translation>
        </message>
        <message>
            <source>internal parameter settings</source>
            <translation>interne Parameter</translation>
        </message>
        <message>
            <source>after resetting the sensor type or manufacturing ID, a new query is required to communicate</source>
            <translation>nach Änderung von Sensortyp oder Hersteller-ID ist für die Kommunikation eine neue Abfrage nötig</translation>
        </message>
        <message>
            <source>RS485 Parameter Configuration</source>
            <translation>RS485-Parameter</translation>
        </message>
        <message>
            <source>Baud Rate:</source>
            <translation>Baudrate:</translation>
        </message>
        <message>
            <source>Parity Bit:</source>
            <translation>Parität:</translation>
        </message>
        <message>
            <source>Communication Interval Time:</source>
            <translation>Abfrageintervall:</translation>
        </message>
        <message>
            <source>when the interval time is 00,the converter writes variable according to the MODBUS instruction</source>
            <translation>bei Intervall 00 schreibt der Umsetzer die Variable gemäß dem MODBUS-Befehl</translation>
        </message>
        <message>
            <source>Instrument Command %1</source>
            <translation>Gerätebefehl %1</translation>
        </message>
        <message>
            <source>Enable:</source>
            <translation>Aktiv:</translation>
        </message>
        <message>
            <source>Command Code:</source>
            <translation>Befehlscode:</translation>
        </message>
        <message>
            <source>Return Byte 1:</source>
            <translation>Antwortbyte 1:</translation>
        </message>
        <message>
            <source>Byte 2:</source>
            <translation>Byte 2:</translation>
        </message>
        <message>
            <source>MODBUS Paring Format</source>
            <translation>MODBUS-Datenformat</translation>
        </message>
        <message>
            <source>Command Number</source>
            <translation>Befehl</translation>
        </message>
        <message>
            <source>Data Addr</source>
            <translation>Datenadr.</translation>
        </message>
        <message>
            <source>Length</source>
            <translation>Länge</translation>
        </message>
        <message>
            <source>Parsing Format</source>
            <translation>Datenformat</translation>
        </message>
        <message>
            <source>Coefficient</source>
            <translation>Faktor</translation>
        </message>
        <message>
            <source>RS485 AD3 Value:</source>
            <translation>RS485 AD3-Wert:</translation>
        </message>
        <message>
            <source>RS485 AD4 Value:</source>
            <translation>RS485 AD4-Wert:</translation>
        </message>
        <message>
            <source>RS485 AD5 Value:</source>
            <translation>RS485 AD5-Wert:</translation>
        </message>
        <message>
            <source>RS485 AD6 Value:</source>
            <translation>RS485 AD6-Wert:</translation>
        </message>
        <message>
            <source>Serial Number:</source>
            <translation>Seriennummer:</translation>
        </message>
        <message>
            <source>Analog Configuration</source>
            <translation>Analogeingänge</translation>
        </message>
        <message>
            <source>Upper Limit</source>
            <translation>Obergrenze</translation>
        </message>
        <message>
            <source>Lower Llimit</source>
            <translation>Untergrenze</translation>
        </message>
        <message>
            <source>Start Point</source>
            <translation>Nullpunkt</translation>
        </message>
        <message>
            <source>Coefficient/10000</source>
            <translation>Faktor/10000</translation>
        </message>
        <message>
            <source>instructions for using coefficient values
when greater than 1000:
actual value=measured value * (1+V/10000)
when less than 1000:
actual value=measured value * (1-V/10000)</source>
            <translation>Anwendung des Faktors
wenn größer als 1000:
Istwert=Messwert * (1+V/10000)
wenn kleiner als 1000:
Istwert=Messwert * (1-V/10000)</translation>
        </message>
        <message>
            <source>HART Variable Output Configuration</source>
            <translation>Zuordnung der HART-Variablen</translation>
        </message>
        <message>
            <source>Input Channel</source>
            <translation>Eingangskanal</translation>
        </message>
        <message>
            <source>Unit Code</source>
            <translation>Einheitencode</translation>
        </message>
        <message>
            <source>Quorvane Configuration Software</source>
            <translation>Quorvane Konfigurationssoftware</translation>
        </message>
        <message>
            <source>Serial Port:</source>
            <translation>Schnittstelle:</translation>
        </message>
        <message>
            <source>Open</source>
            <translation>Öffnen</translation>
        </message>
        <message>
            <source>Tel: +86-555-0100-4242</source>
            <translation>Tel.: +86-555-0100-4242</translation>
        </message>
        <message>
            <source>Parameter Configuration</source>
            <translation>Parameter</translation>
        </message>
        <message>
            <source> Instrument Information</source>
            <translation> Geräteinfo</translation>
        </message>
        <message>
            <source>Input Configuration</source>
            <translation>Eingänge</translation>
        </message>
        <message>
            <source>Analog &amp;&amp; Variable Configuration</source>
            <translation>Analog &amp;&amp; Variablen</translation>
        </message>
        <message>
            <source>Number Of Bytes Send:</source>
            <translation>Bytes gesendet:</translation>
        </message>
        <message>
            <source>Number Of Bytes Received:</source>
            <translation>Bytes empfangen:</translation>
        </message>
        <message>
            <source>Transfer Status:</source>
            <translation>Status:</translation>
        </message>
    </context>
    <context>
        <name>app::LiveTrend</name>
        <message>
            <source>Live Values</source>
            <translation>Live-Werte</translation>
        </message>
        <message>
            <source>time</source>
            <translation>Zeit</translation>
        </message>
        <message>
            <source>variables</source>
            <translation>Variablen</translation>
        </message>
        <message>
            <source>loop current (mA)</source>
            <translation>Schleifenstrom (mA)</translation>
        </message>
        <message>
            <source>Loop current (mA)</source>
            <translation>Schleifenstrom (mA)</translation>
        </message>
        <message>
            <source>Variable %1</source>
            <translation>Variable %1</translation>
        </message>
        <message>
            <source>Pause</source>
            <translation>Pause</translation>
        </message>
        <message>
            <source>Export CSV...</source>
            <translation>CSV exportieren...</translation>
        </message>
        <message>
            <source>Variable %1 (%2)</source>
            <translation>Variable %1 (%2)</translation>
        </message>
        <message>
            <source>Resume</source>
            <translation>Fortsetzen</translation>
        </message>
        <message>
            <source>Cannot write %1: %2</source>
            <translation>%1 kann nicht geschrieben werden: %2</translation>
        </message>
        <message>
            <source>Export samples</source>
            <translation>Messwerte exportieren</translation>
        </message>
        <message>
            <source>CSV files (*.csv)</source>
            <translation>CSV-Dateien (*.csv)</translation>
        </message>
        <message>
            <source>%1 samples written to %2</source>
            <translation>%1 Messwerte nach %2 geschrieben</translation>
        </message>
    </context>
    <context>
        <name>app::ScanDialog</name>
        <message>
            <source>Find Devices</source>
            <translation>Geräte suchen</translation>
        </message>
        <message>
            <source>Addresses:</source>
            <translation>Adressen:</translation>
        </message>
        <message>
            <source>Scan</source>
            <translation>Suchen</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Abbrechen</translation>
        </message>
        <message>
            <source>%v of %m addresses</source>
            <translation>%v von %m Adressen</translation>
        </message>
        <message>
            <source>Address</source>
            <translation>Adresse</translation>
        </message>
        <message>
            <source>Manufacturer</source>
            <translation>Hersteller</translation>
        </message>
        <message>
            <source>Device type</source>
            <translation>Gerätetyp</translation>
        </message>
        <message>
            <source>Unique identifier</source>
            <translation>Eindeutige Kennung</translation>
        </message>
        <message>
            <source>HART revision</source>
            <translation>HART-Revision</translation>
        </message>
        <message>
            <source>Preambles</source>
            <translation>Präambeln</translation>
        </message>
        <message>
            <source>Use this device</source>
            <translation>Dieses Gerät verwenden</translation>
        </message>
        <message>
            <source>Cancelling...</source>
            <translation>Wird abgebrochen...</translation>
        </message>
        <message>
            <source>Scanning...</source>
            <translation>Suche läuft...</translation>
        </message>
        <message>
            <source>No device answered.</source>
            <translation>Kein Gerät hat geantwortet.</translation>
        </message>
        <message>
            <source>%1 device(s) found. Choose one to identify it.</source>
            <translation>%1 Gerät(e) gefunden. Eines zum Identifizieren wählen.</translation>
        </message>
        <message>
            <source>Cancelled; %1 device(s) found so far.</source>
            <translation>Abgebrochen; bisher %1 Gerät(e) gefunden.</translation>
        </message>
        <message>
            <source>Scan stopped: %1.</source>
            <translation>Suche gestoppt: %1.</translation>
        </message>
    </context>
    <context>
        <name>app::ScanLive</name>
        <message>
            <source>Live values stopped: a configuration batch uses the line.</source>
            <translation>Live-Werte gestoppt: ein Konfigurationslauf belegt die Leitung.</translation>
        </message>
        <message>
            <source>broken answer frame</source>
            <translation>fehlerhafter Antwortframe</translation>
        </message>
        <message>
            <source>an answer without the values</source>
            <translation>eine Antwort ohne Werte</translation>
        </message>
    </context>
    <context>
        <name>app::TForm1</name>
        <message>
            <source>The long tag holds control characters; type a new tag to write.</source>
            <translation>Der lange Tag enthält Steuerzeichen; zum Schreiben einen neuen Tag eingeben.</translation>
        </message>
        <message>
            <source>Port disconnected: %1</source>
            <translation>Schnittstelle getrennt: %1</translation>
        </message>
        <message>
            <source>Open</source>
            <translation>Öffnen</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>Schließen</translation>
        </message>
        <message>
            <source>Device Status:</source>
            <translation>Gerätestatus:</translation>
        </message>
        <message>
            <source>Traffic…</source>
            <translation>Verkehr…</translation>
        </message>
        <message>
            <source>Every frame on the line, decoded</source>
            <translation>Jeder Frame auf der Leitung, dekodiert</translation>
        </message>
    </context>
    <context>
        <name>app::TrafficModel</name>
        <message>
            <source>Sent</source>
            <translation>Gesendet</translation>
        </message>
        <message>
            <source>Received</source>
            <translation>Empfangen</translation>
        </message>
        <message>
            <source>Time (ms)</source>
            <translation>Zeit (ms)</translation>
        </message>
        <message>
            <source>Gap (ms)</source>
            <translation>Abstand (ms)</translation>
        </message>
        <message>
            <source>Direction</source>
            <translation>Richtung</translation>
        </message>
        <message>
            <source>Frames</source>
            <translation>Frames</translation>
        </message>
        <message>
            <source>%1 at %2 ms, %3 bytes

</source>
            <translation>%1 bei %2 ms, %3 Bytes

</translation>
        </message>
    </context>
    <context>
        <name>app::TrafficWindow</name>
        <message>
            <source>Line Traffic</source>
            <translation>Leitungsverkehr</translation>
        </message>
        <message>
            <source>Clear</source>
            <translation>Leeren</translation>
        </message>
        <message>
            <source>Pause</source>
            <translation>Pause</translation>
        </message>
        <message>
            <source>Copy</source>
            <translation>Kopieren</translation>
        </message>
        <message>
            <source>Save Capture…</source>
            <translation>Mitschnitt speichern…</translation>
        </message>
        <message>
            <source>Resume</source>
            <translation>Fortsetzen</translation>
        </message>
        <message>
            <source>Save Capture</source>
            <translation>Mitschnitt speichern</translation>
        </message>
        <message>
            <source>pcapng captures (*.pcapng);;All files (*)</source>
            <translation>pcapng-Mitschnitte (*.pcapng);;Alle Dateien (*)</translation>
        </message>
        <message>
            <source>%1 rows saved to %2</source>
            <translation>%1 Zeilen in %2 gespeichert</translation>
        </message>
        <message>
            <source>Clear Selection</source>
            <translation>Auswahl aufheben</translation>
        </message>
        <message>
            <source>%1 rows</source>
            <translation>%1 Zeilen</translation>
        </message>
        <message>
            <source>, %1 held while paused</source>
            <translation>, %1 während der Pause zurückgehalten</translation>
        </message>
    </context>
    <context>
        <name>cli</name>
        <message>
            <source>read the device's configuration; print it or write FILE</source>
            <translation>die Konfiguration des Geräts lesen; ausgeben oder in FILE schreiben</translation>
        </message>
        <message>
            <source>compare the device with FILE, or FILE with FILE2</source>
            <translation>das Gerät mit FILE vergleichen, oder FILE mit FILE2</translation>
        </message>
        <message>
            <source>write what differs from FILE to the device, verifying each item</source>
            <translation>was von FILE abweicht, ins Gerät schreiben und jeden Eintrag prüfen</translation>
        </message>
        <message>
            <source>poll the addresses with command 0 and list every device that answers</source>
            <translation>die Adressen mit Kommando 0 abfragen und jedes antwortende Gerät auflisten</translation>
        </message>
        <message>
            <source>The option --port needs a port name.</source>
            <translation>Die Option --port braucht einen Schnittstellennamen.</translation>
        </message>
        <message>
            <source>The option --capture needs a file name.</source>
            <translation>Die Option --capture braucht einen Dateinamen.</translation>
        </message>
        <message>
            <source>The option --backup-dir needs a folder.</source>
            <translation>Die Option --backup-dir braucht einen Ordner.</translation>
        </message>
        <message>
            <source>The option --address needs a polling address from 0 to 15.</source>
            <translation>Die Option --address braucht eine Abfrageadresse von 0 bis 15.</translation>
        </message>
        <message>
            <source>The polling address '%1' is not a number from 0 to 15.</source>
            <translation>Die Abfrageadresse '%1' ist keine Zahl von 0 bis 15.</translation>
        </message>
        <message>
            <source>The option --addresses needs a range such as 0-15.</source>
            <translation>Die Option --addresses braucht einen Bereich wie 0-15.</translation>
        </message>
        <message>
            <source>The option %1 needs a file name.</source>
            <translation>Die Option %1 braucht einen Dateinamen.</translation>
        </message>
        <message>
            <source>Unknown option %1.</source>
            <translation>Unbekannte Option %1.</translation>
        </message>
        <message>
            <source>No command given: say read, diff, write or scan.</source>
            <translation>Kein Befehl angegeben: read, diff, write oder scan angeben.</translation>
        </message>
        <message>
            <source>Unknown command '%1'.</source>
            <translation>Unbekannter Befehl '%1'.</translation>
        </message>
        <message>
            <source>The option %1 does not apply to %2.</source>
            <translation>Die Option %1 gilt nicht für %2.</translation>
        </message>
        <message>
            <source>Usage: %1 %2</source>
            <translation>Aufruf: %1 %2</translation>
        </message>
        <message>
            <source>Give either --port or --simulate, not both.</source>
            <translation>Entweder --port oder --simulate angeben, nicht beides.</translation>
        </message>
        <message>
            <source>Usage: %1 COMMAND [FILE...] [OPTIONS]

</source>
            <translation>Aufruf: %1 COMMAND [FILE...] [OPTIONS]

</translation>
        </message>
        <message>
            <source>Reads, compares and clones the configuration of a MODBUS-HART converter.

Commands:
</source>
            <translation>Liest, vergleicht und kopiert die Konfiguration eines MODBUS-HART-Umsetzers.

Befehle:
</translation>
        </message>
        <message>
            <source>
Options:
  --port NAME      the serial port: COM3, /dev/ttyUSB0, ttyUSB0 or a path
  --simulate       talk to the built-in simulated converter instead
  --address N      polling address to identify, 0 to 15 (default 0)
  --capture FILE   save every frame on the line in FILE, a pcapng capture for Wireshark
  --with-identity  also compare or write the identity items
  --force          write even to another manufacturer or device type, or give
                   the device another's sensor serial number (its unique identifier)
  --dry-run        print what would be written and send no setting
  --backup-dir DIR write: keep the backup in DIR (default: the data folder's
                   modbus-hart/backups, shared with the window)
  -o FILE          read: write the file to FILE; - is standard output
  --addresses R    scan: the polling addresses, 0-15 (default) up to 0-63
  --help, --version

Exit status: 0 done (diff: equal), 1 differences found, a read that saved only
some items, or a write stopped after changing something, 2 refused or failed
before changing anything.
scan: 0 one or more devices found, 1 none, 2 an error.
</source>
            <translation>
Optionen:
  --port NAME      die serielle Schnittstelle: COM3, /dev/ttyUSB0, ttyUSB0 oder ein Pfad
  --simulate       stattdessen mit dem eingebauten simulierten Umsetzer sprechen
  --address N      zu identifizierende Abfrageadresse, 0 bis 15 (Vorgabe 0)
  --capture FILE   jeden Frame der Leitung in FILE speichern, ein pcapng-Mitschnitt für Wireshark
  --with-identity  auch die Identitätseinträge vergleichen oder schreiben
  --force          auch an einen anderen Hersteller oder Gerätetyp schreiben oder dem
                   Gerät die Sensor-Seriennummer (eindeutige Kennung) eines anderen geben
  --dry-run        ausgeben, was geschrieben würde, und keine Einstellung senden
  --backup-dir DIR write: die Sicherung in DIR ablegen (Vorgabe: im Datenordner
                   modbus-hart/backups, gemeinsam mit dem Fenster)
  -o FILE          read: die Datei nach FILE schreiben; - ist die Standardausgabe
  --addresses R    scan: die Abfrageadressen, 0-15 (Vorgabe) bis 0-63
  --help, --version

Exit-Status: 0 erledigt (diff: gleich), 1 Unterschiede gefunden, ein Lesen, das nur
einige Einträge gespeichert hat, oder ein Schreiben, das nach einer Änderung abbrach,
2 abgelehnt oder fehlgeschlagen, bevor etwas geändert wurde.
scan: 0 ein oder mehrere Geräte gefunden, 1 keines, 2 ein Fehler.
</translation>
        </message>
    </context>
    <context>
        <name>converter</name>
        <message>
            <source>Data eeore!</source>
            <translation>Datenfehler!</translation>
        </message>
        <message>
            <source>0-Close</source>
            <translation>0-Aus</translation>
        </message>
        <message>
            <source>1-Open</source>
            <translation>1-Ein</translation>
        </message>
        <message>
            <source>1-Instruction 1</source>
            <translation>1-Befehl 1</translation>
        </message>
        <message>
            <source>2-Instruction 2</source>
            <translation>2-Befehl 2</translation>
        </message>
        <message>
            <source>3-Instruction 3</source>
            <translation>3-Befehl 3</translation>
        </message>
        <message>
            <source>4-Instruction 4</source>
            <translation>4-Befehl 4</translation>
        </message>
        <message>
            <source>3-Unsigned int(4321)</source>
            <translation>3-Integer ohne Vorzeichen (4321)</translation>
        </message>
        <message>
            <source>4-Unsigned int(2143)</source>
            <translation>4-Integer ohne Vorzeichen (2143)</translation>
        </message>
        <message>
            <source>5-Unsigned int(1234)</source>
            <translation>5-Integer ohne Vorzeichen (1234)</translation>
        </message>
        <message>
            <source>6-Signed int(4321)</source>
            <translation>6-Integer mit Vorzeichen (4321)</translation>
        </message>
        <message>
            <source>7-Signed int(2143)</source>
            <translation>7-Integer mit Vorzeichen (2143)</translation>
        </message>
        <message>
            <source>8-Signed int</source>
            <translation>8-Integer mit Vorzeichen</translation>
        </message>
        <message>
            <source>9-Signed int(invert)</source>
            <translation>9-Integer mit Vorzeichen (invertiert)</translation>
        </message>
        <message>
            <source>10-Signed int(not inverted)</source>
            <translation>10-Integer mit Vorzeichen (nicht invertiert)</translation>
        </message>
        <message>
            <source>11-BCD(high low order)</source>
            <translation>11-BCD (High vor Low)</translation>
        </message>
        <message>
            <source>12-BCD(low high order)</source>
            <translation>12-BCD (Low vor High)</translation>
        </message>
        <message>
            <source>13-Character string(high low order)</source>
            <translation>13-Zeichenkette (High vor Low)</translation>
        </message>
        <message>
            <source>14-Character string(low high order)</source>
            <translation>14-Zeichenkette (Low vor High)</translation>
        </message>
        <message>
            <source>15-Double(high low order)</source>
            <translation>15-Double (High vor Low)</translation>
        </message>
        <message>
            <source>16-Double(low high order）</source>
            <translation>16-Double (Low vor High)</translation>
        </message>
        <message>
            <source>17-BCD(low high order-0X33)</source>
            <translation>17-BCD (Low vor High, -0X33)</translation>
        </message>
        <message>
            <source>18-Integer(bits 0,1 are positive, others are negative)</source>
            <translation>18-Integer (Bits 0,1 positiv, sonst negativ)</translation>
        </message>
        <message>
            <source>19-Octet integer(Four bits higher*coefficient+low four)</source>
            <translation>19-Oktett-Integer (obere 4 Bits*Faktor+untere 4)</translation>
        </message>
        <message>
            <source>20-Octet integer(Four bits lower*coefficient+high four)</source>
            <translation>20-Oktett-Integer (untere 4 Bits*Faktor+obere 4)</translation>
        </message>
        <message>
            <source>21-Raw data</source>
            <translation>21-Rohdaten</translation>
        </message>
        <message>
            <source>22-Arrange in byte order from low to high</source>
            <translation>22-Bytefolge von Low nach High</translation>
        </message>
        <message>
            <source>23-Arrange in byte order from high to low</source>
            <translation>23-Bytefolge von High nach Low</translation>
        </message>
        <message>
            <source>24-Four digit unsigned integer (4321)+exponent</source>
            <translation>24-4-stelliger Integer o. Vz. (4321)+Exponent</translation>
        </message>
        <message>
            <source>25-Four digit unsigned integer (2143)+exponent</source>
            <translation>25-4-stelliger Integer o. Vz. (2143)+Exponent</translation>
        </message>
        <message>
            <source>26-Positioning status</source>
            <translation>26-Stellungsstatus</translation>
        </message>
        <message>
            <source>None</source>
            <translation>Keine</translation>
        </message>
        <message>
            <source>Odd</source>
            <translation>Ungerade</translation>
        </message>
        <message>
            <source>Even</source>
            <translation>Gerade</translation>
        </message>
        <message>
            <source>1_AD1(analog)</source>
            <translation>1_AD1 (analog)</translation>
        </message>
        <message>
            <source>2_AD2(analog)</source>
            <translation>2_AD2 (analog)</translation>
        </message>
        <message>
            <source>3_AD3(RS485 direct reading)</source>
            <translation>3_AD3 (RS485 direkt)</translation>
        </message>
        <message>
            <source>4_AD4(RS485 direct reading)</source>
            <translation>4_AD4 (RS485 direkt)</translation>
        </message>
        <message>
            <source>5_AD5(RS485 direct reading)</source>
            <translation>5_AD5 (RS485 direkt)</translation>
        </message>
        <message>
            <source>6_AD6(RS485 direct reading)</source>
            <translation>6_AD6 (RS485 direkt)</translation>
        </message>
        <message>
            <source>7_AD3(analog)</source>
            <translation>7_AD3 (analog)</translation>
        </message>
        <message>
            <source>8_AD4(analog)</source>
            <translation>8_AD4 (analog)</translation>
        </message>
        <message>
            <source>0-Float（4321）</source>
            <translation>0-Float (4321)</translation>
        </message>
        <message>
            <source>1-Float（2143）</source>
            <translation>1-Float (2143)</translation>
        </message>
        <message>
            <source>2-Float（1234）</source>
            <translation>2-Float (1234)</translation>
        </message>
    </context>
    <context>
        <name>device</name>
        <message>
            <source>longer than 32 bytes</source>
            <translation>länger als 32 Bytes</translation>
        </message>
        <message>
            <source>a zero byte would end it early</source>
            <translation>ein Nullbyte würde ihn vorzeitig beenden</translation>
        </message>
        <message>
            <source>holds a control character (%1)</source>
            <translation>enthält ein Steuerzeichen (%1)</translation>
        </message>
        <message>
            <source>The port failed; live values stopped.</source>
            <translation>Die Schnittstelle ist ausgefallen; Live-Werte gestoppt.</translation>
        </message>
        <message>
            <source>%1 samples</source>
            <translation>%1 Messwerte</translation>
        </message>
        <message>
            <source>, %1/s</source>
            <translation>, %1/s</translation>
        </message>
        <message>
            <source>; no answer since %1 (%2, %3 in a row)</source>
            <translation>; keine Antwort seit %1 (%2, %3 in Folge)</translation>
        </message>
    </context>
    <context>
        <name>hart</name>
        <message>
            <source>Write failed!</source>
            <translation>Schreiben fehlgeschlagen!</translation>
        </message>
        <message>
            <source>Write successful!</source>
            <translation>Schreiben erfolgreich!</translation>
        </message>
        <message>
            <source>Write failed!The instruction is not defined!</source>
            <translation>Schreiben fehlgeschlagen! Befehl nicht definiert!</translation>
        </message>
        <message>
            <source>Write failed!The parameter value is too small!</source>
            <translation>Schreiben fehlgeschlagen! Parameterwert zu klein!</translation>
        </message>
        <message>
            <source>Write failed!Setting parameters too small!</source>
            <translation>Schreiben fehlgeschlagen! Einstellwert zu klein!</translation>
        </message>
        <message>
            <source>Write failed!Received less data!</source>
            <translation>Schreiben fehlgeschlagen! Zu wenig Daten empfangen!</translation>
        </message>
        <message>
            <source>Write failed!Sending command error!</source>
            <translation>Schreiben fehlgeschlagen! Fehler beim Senden des Befehls!</translation>
        </message>
        <message>
            <source>Write failed!Write protect!</source>
            <translation>Schreiben fehlgeschlagen! Schreibschutz!</translation>
        </message>
        <message>
            <source>Write failed!Setting parameters may have value!</source>
            <translation>Schreiben fehlgeschlagen! Einstellwert ggf. vorhanden!</translation>
        </message>
        <message>
            <source>Write failed!Setting parameters may not be useful!</source>
            <translation>Schreiben fehlgeschlagen! Einstellwert ggf. unwirksam!</translation>
        </message>
        <message>
            <source>Write failed!Channel restricted!</source>
            <translation>Schreiben fehlgeschlagen! Kanal eingeschränkt!</translation>
        </message>
        <message>
            <source>upload successful!</source>
            <translation>Lesen erfolgreich!</translation>
        </message>
        <message>
            <source>upload failed!</source>
            <translation>Lesen fehlgeschlagen!</translation>
        </message>
        <message>
            <source>Upload data timeout!</source>
            <translation>Zeitüberschreitung beim Lesen!</translation>
        </message>
        <message>
            <source>Writing data timeout!</source>
            <translation>Zeitüberschreitung beim Schreiben!</translation>
        </message>
        <message>
            <source>Uploading..!</source>
            <translation>Wird gelesen..!</translation>
        </message>
        <message>
            <source>Uploading...!</source>
            <translation>Wird gelesen...!</translation>
        </message>
        <message>
            <source>Please wait, it is currently being downloaded....</source>
            <translation>Bitte warten, wird geschrieben....</translation>
        </message>
        <message>
            <source>Please wait, it is currently being downloaded.....</source>
            <translation>Bitte warten, wird geschrieben.....</translation>
        </message>
        <message>
            <source>answered</source>
            <translation>beantwortet</translation>
        </message>
        <message>
            <source>no answer</source>
            <translation>keine Antwort</translation>
        </message>
        <message>
            <source>broken answer frame</source>
            <translation>fehlerhafter Antwortframe</translation>
        </message>
        <message>
            <source>device busy</source>
            <translation>Gerät beschäftigt</translation>
        </message>
        <message>
            <source>the port failed</source>
            <translation>die Schnittstelle ist ausgefallen</translation>
        </message>
        <message>
            <source>cancelled</source>
            <translation>abgebrochen</translation>
        </message>
        <message>
            <source>unknown failure</source>
            <translation>unbekannter Fehler</translation>
        </message>
    </context>
</TS>
