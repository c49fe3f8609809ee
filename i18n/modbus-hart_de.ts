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
        <translation>Geräteinformation:</translation>
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
    <message>
        <source>Loop Test...</source>
        <translation>Schleifentest...</translation>
    </message>
</context>
<context>
    <name>ItemCaptions</name>
    <message>
        <source>Instrument Information</source>
        <translation>Geräteinformation</translation>
    </message>
    <message>
        <source>Tag, Descriptor, Date Of Production</source>
        <translation>Tag, Beschreibung, Herstelldatum</translation>
    </message>
    <message>
        <source>Assembly Number</source>
        <translation>Baugruppennr.</translation>
    </message>
    <message>
        <source>LTAG</source>
        <translation>Langer Tag</translation>
    </message>
    <message>
        <source>OUT DC4-20mA Output</source>
        <translation>OUT DC4-20mA Ausgang</translation>
    </message>
    <message>
        <source>Instrument Command 1</source>
        <translation>Gerätebefehl 1</translation>
    </message>
    <message>
        <source>Instrument Command 2</source>
        <translation>Gerätebefehl 2</translation>
    </message>
    <message>
        <source>Instrument Command 3</source>
        <translation>Gerätebefehl 3</translation>
    </message>
    <message>
        <source>Instrument Command 4</source>
        <translation>Gerätebefehl 4</translation>
    </message>
    <message>
        <source>MODBUS Paring Format</source>
        <translation>MODBUS-Datenformat</translation>
    </message>
    <message>
        <source>RS485 Parameter Configuration</source>
        <translation>RS485-Parameter</translation>
    </message>
    <message>
        <source>Analog Configuration AD1</source>
        <translation>Analogeingang AD1</translation>
    </message>
    <message>
        <source>Analog Configuration AD2</source>
        <translation>Analogeingang AD2</translation>
    </message>
    <message>
        <source>Analog Configuration AD3</source>
        <translation>Analogeingang AD3</translation>
    </message>
    <message>
        <source>Analog Configuration AD4</source>
        <translation>Analogeingang AD4</translation>
    </message>
    <message>
        <source>HART Variable Output Configuration</source>
        <translation>Zuordnung der HART-Variablen</translation>
    </message>
    <message>
        <source>Sensor Serial Number</source>
        <translation>Sensor-Seriennr.</translation>
    </message>
    <message>
        <source>internal parameter settings</source>
        <translation>interne Parameter</translation>
    </message>
    <message>
        <source>Address Modification</source>
        <translation>Adresse ändern</translation>
    </message>
    <message>
        <source>Tag</source>
        <translation>Messstellen-Tag</translation>
    </message>
    <message>
        <source>Descriptor</source>
        <translation>Beschreibung</translation>
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
        <source>OUT  DC20mA</source>
        <translation>OUT  DC20mA</translation>
    </message>
    <message>
        <source>OUT  DC4mA</source>
        <translation>OUT  DC4mA</translation>
    </message>
    <message>
        <source>Unit</source>
        <translation>Einheit</translation>
    </message>
    <message>
        <source>Enable</source>
        <translation>Aktiv</translation>
    </message>
    <message>
        <source>Command Code</source>
        <translation>Befehlscode</translation>
    </message>
    <message>
        <source>Return Byte 1</source>
        <translation>Antwortbyte 1</translation>
    </message>
    <message>
        <source>Byte 2</source>
        <translation>Byte 2</translation>
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
        <source>Baud Rate</source>
        <translation>Baudrate</translation>
    </message>
    <message>
        <source>Parity Bit</source>
        <translation>Parität</translation>
    </message>
    <message>
        <source>Communication Interval Time</source>
        <translation>Abfrageintervall</translation>
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
        <source>Input Channel</source>
        <translation>Eingangskanal</translation>
    </message>
    <message>
        <source>Unit Code</source>
        <translation>Einheitencode</translation>
    </message>
    <message>
        <source>Sensor Type</source>
        <translation>Sensortyp</translation>
    </message>
    <message>
        <source>Manufacturing ID</source>
        <translation>Hersteller-ID</translation>
    </message>
    <message>
        <source>RS485 AD3 Value</source>
        <translation>RS485 AD3-Wert</translation>
    </message>
    <message>
        <source>RS485 AD4 Value</source>
        <translation>RS485 AD4-Wert</translation>
    </message>
    <message>
        <source>RS485 AD5 Value</source>
        <translation>RS485 AD5-Wert</translation>
    </message>
    <message>
        <source>RS485 AD6 Value</source>
        <translation>RS485 AD6-Wert</translation>
    </message>
    <message>
        <source>Serial Number</source>
        <translation>Seriennummer</translation>
    </message>
    <message>
        <source>Variable 1</source>
        <translation>Variable 1</translation>
    </message>
    <message>
        <source>Variable 2</source>
        <translation>Variable 2</translation>
    </message>
    <message>
        <source>Variable 3</source>
        <translation>Variable 3</translation>
    </message>
    <message>
        <source>Variable 4</source>
        <translation>Variable 4</translation>
    </message>
</context>
<context>
    <name>app::ConfigPage</name>
    <message>
        <source>Read from Device</source>
        <translation>Vom Gerät lesen</translation>
    </message>
    <message>
        <source>Open File...</source>
        <translation>Datei öffnen...</translation>
    </message>
    <message>
        <source>Save File...</source>
        <translation>Datei speichern...</translation>
    </message>
    <message>
        <source>Compare</source>
        <translation>Vergleichen</translation>
    </message>
    <message>
        <source>Write to Device</source>
        <translation>In Gerät schreiben</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Write identity items too</source>
        <translation>Auch Identitätseinträge schreiben</translation>
    </message>
    <message>
        <source>File: (none)</source>
        <translation>Datei: (keine)</translation>
    </message>
    <message>
        <source>Item</source>
        <translation>Eintrag</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>Gerät</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>State</source>
        <translation>Zustand</translation>
    </message>
    <message>
        <source>Selected item</source>
        <translation>Gewählter Eintrag</translation>
    </message>
    <message>
        <source> (identity)</source>
        <translation> (Identität)</translation>
    </message>
    <message>
        <source>could not be read: </source>
        <translation>nicht lesbar: </translation>
    </message>
    <message>
        <source>Select a row to see its item whole.</source>
        <translation>Eine Zeile wählen, um den Eintrag ganz zu sehen.</translation>
    </message>
    <message>
        <source>file key: %1</source>
        <translation>Dateischlüssel: %1</translation>
    </message>
    <message>
        <source>Device: could not be read: %1</source>
        <translation>Gerät: nicht lesbar: %1</translation>
    </message>
    <message>
        <source>Not read from the device and not in a file.</source>
        <translation>Weder vom Gerät gelesen noch in einer Datei.</translation>
    </message>
    <message>
        <source>Cannot create the backup folder </source>
        <translation>Der Sicherungsordner kann nicht angelegt werden: </translation>
    </message>
    <message>
        <source>Writing to the device...</source>
        <translation>Schreibe in das Gerät...</translation>
    </message>
    <message>
        <source>Reading the device...</source>
        <translation>Lese das Gerät...</translation>
    </message>
    <message>
        <source>Waiting for the write to be confirmed...</source>
        <translation>Warte auf die Bestätigung zum Schreiben...</translation>
    </message>
    <message>
        <source>identifying the device</source>
        <translation>Gerät wird identifiziert</translation>
    </message>
    <message>
        <source>Writing: %1 of %2 items</source>
        <translation>Schreiben: %1 von %2 Einträgen</translation>
    </message>
    <message>
        <source>Reading: %1 of %2 items</source>
        <translation>Lesen: %1 von %2 Einträgen</translation>
    </message>
    <message>
        <source>

Write the identity items anyway?</source>
        <translation>

Die Identitätseinträge trotzdem schreiben?</translation>
    </message>
    <message>
        <source>Backup of the device before writing: </source>
        <translation>Sicherung des Geräts vor dem Schreiben: </translation>
    </message>
    <message>
        <source>The device and the file are equal.</source>
        <translation>Gerät und Datei sind gleich.</translation>
    </message>
    <message>
        <source>The device and the file are equal but for %1 identity item(s), written only with &quot;Write identity items too&quot;.</source>
        <translation>Gerät und Datei sind gleich bis auf %1 Identitätseintrag/-einträge, die nur mit „Auch Identitätseinträge schreiben“ geschrieben werden.</translation>
    </message>
    <message>
        <source>%1 item(s) differ between the device and the file.</source>
        <translation>%1 Eintrag/Einträge unterscheiden sich zwischen Gerät und Datei.</translation>
    </message>
    <message>
        <source>%1 identity item(s) differ too, written only with &quot;Write identity items too&quot;.</source>
        <translation>Auch %1 Identitätseintrag/-einträge unterscheiden sich; sie werden nur mit „Auch Identitätseinträge schreiben“ geschrieben.</translation>
    </message>
    <message>
        <source>File: </source>
        <translation>Datei: </translation>
    </message>
    <message>
        <source>Opened </source>
        <translation>Geöffnet: </translation>
    </message>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 existiert bereits.
Soll die Datei ersetzt werden?</translation>
    </message>
    <message>
        <source>Saved the device&apos;s configuration to </source>
        <translation>Konfiguration des Geräts gespeichert in </translation>
    </message>
    <message>
        <source>These items will be written (device value -&gt; file value):</source>
        <translation>Diese Einträge werden geschrieben (Gerätewert -&gt; Dateiwert):</translation>
    </message>
    <message>
        <source>Items to write</source>
        <translation>Zu schreibende Einträge</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>Schreiben</translation>
    </message>
    <message>
        <source>Save Configuration</source>
        <translation>Konfiguration speichern</translation>
    </message>
    <message>
        <source>Open Configuration</source>
        <translation>Konfiguration öffnen</translation>
    </message>
    <message>
        <source>Configuration files (*.json);;All files (*)</source>
        <translation>Konfigurationsdateien (*.json);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Write Identity</source>
        <translation>Identität schreiben</translation>
    </message>
    <message>
        <source>Config File</source>
        <translation>Konfig.-Datei</translation>
    </message>
    <message>
        <source>Configuration File</source>
        <translation>Konfigurationsdatei</translation>
    </message>
    <message>
        <source>History...</source>
        <translation>Historie...</translation>
    </message>
    <message>
        <source>Report...</source>
        <translation>Bericht...</translation>
    </message>
    <message>
        <source>The history is not kept: </source>
        <translation>Die Historie wird nicht geführt: </translation>
    </message>
    <message>
        <source>the device at polling address %1</source>
        <translation>dem Gerät an Abfrageadresse %1</translation>
    </message>
    <message>
        <source>the file %1</source>
        <translation>der Datei %1</translation>
    </message>
    <message>
        <source>Save Report</source>
        <translation>Bericht speichern</translation>
    </message>
    <message>
        <source>PDF files (*.pdf);;HTML files (*.html *.htm)</source>
        <translation>PDF-Dateien (*.pdf);;HTML-Dateien (*.html *.htm)</translation>
    </message>
    <message>
        <source>Report</source>
        <translation>Bericht</translation>
    </message>
    <message>
        <source>Operator name:</source>
        <translation>Name des Bearbeiters:</translation>
    </message>
    <message>
        <source>The report is saved to %1.</source>
        <translation>Der Bericht ist in %1 gespeichert.</translation>
    </message>
    <message>
        <source>offline: editing %1</source>
        <translation>offline: %1 wird bearbeitet</translation>
    </message>
    <message>
        <source>Saved the pages&apos; configuration to %1.</source>
        <translation>Die Konfiguration der Seiten wurde in %1 gespeichert.</translation>
    </message>
</context>
<context>
    <name>app::HistoryDialog</name>
    <message>
        <source>History</source>
        <translation>Historie</translation>
    </message>
    <message>
        <source>All devices</source>
        <translation>Alle Geräte</translation>
    </message>
    <message>
        <source>Time (UTC)</source>
        <translation>Zeit (UTC)</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>Gerät</translation>
    </message>
    <message>
        <source>Tag</source>
        <translation>Messstellen-Tag</translation>
    </message>
    <message>
        <source>Item</source>
        <translation>Eintrag</translation>
    </message>
    <message>
        <source>Before</source>
        <translation>Vorher</translation>
    </message>
    <message>
        <source>After</source>
        <translation>Nachher</translation>
    </message>
    <message>
        <source>Outcome</source>
        <translation>Ausgang</translation>
    </message>
    <message>
        <source>Export CSV...</source>
        <translation>CSV exportieren...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>The history cannot be read: %1</source>
        <translation>Die Historie kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>Export History</source>
        <translation>Historie exportieren</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV-Dateien (*.csv)</translation>
    </message>
    <message>
        <source>Not saved: %1</source>
        <translation>Nicht gespeichert: %1</translation>
    </message>
    <message>
        <source>Records: %1</source>
        <translation>Einträge: %1</translation>
    </message>
    <message>
        <source>Skipped damaged lines of the file: %1 (line numbers: %2).</source>
        <translation>Übersprungene beschädigte Zeilen der Datei: %1 (Zeilennummern: %2).</translation>
    </message>
    <message>
        <source>Saved %1 records to %2.</source>
        <translation>%1 Einträge in %2 gespeichert.</translation>
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
    <name>app::LoopTestDialog</name>
    <message>
        <source>Loop Test</source>
        <translation>Schleifentest</translation>
    </message>
    <message>
        <source>Points (mA):</source>
        <translation>Punkte (mA):</translation>
    </message>
    <message>
        <source>Set (mA)</source>
        <translation>Soll (mA)</translation>
    </message>
    <message>
        <source>Reported (mA)</source>
        <translation>Gemeldet (mA)</translation>
    </message>
    <message>
        <source>Control system (mA)</source>
        <translation>Leitsystem (mA)</translation>
    </message>
    <message>
        <source>Deviation (mA)</source>
        <translation>Abweichung (mA)</translation>
    </message>
    <message>
        <source>Verdict</source>
        <translation>Urteil</translation>
    </message>
    <message>
        <source>Control system reads (mA):</source>
        <translation>Leitsystem liest (mA):</translation>
    </message>
    <message>
        <source>optional</source>
        <translation>optional</translation>
    </message>
    <message>
        <source>Passed</source>
        <translation>Bestanden</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>Nicht bestanden</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Weiter</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Finish</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>During the loop test the loop current will not follow the process. Put the control loop in manual before you go on.

Start the loop test?</source>
        <translation>Während des Schleifentests folgt der Schleifenstrom nicht dem Prozess. Den Regelkreis vorher auf Hand schalten.

Schleifentest starten?</translation>
    </message>
    <message>
        <source>The history is not kept: </source>
        <translation>Die Historie wird nicht geführt: </translation>
    </message>
    <message>
        <source>Identifying the device...</source>
        <translation>Gerät wird identifiziert...</translation>
    </message>
    <message>
        <source>The device did not take %1 mA: %2</source>
        <translation>Das Gerät hat %1 mA nicht übernommen: %2</translation>
    </message>
    <message>
        <source>Point %1: the loop is set to %2 mA. Enter what the control system reads, mark the point, then Next.</source>
        <translation>Punkt %1: Die Schleife steht auf %2 mA. Den Wert des Leitsystems eintragen, den Punkt bewerten, dann Weiter.</translation>
    </message>
    <message>
        <source>Deviation %1 mA</source>
        <translation>Abweichung %1 mA</translation>
    </message>
    <message>
        <source>Setting the next point...</source>
        <translation>Nächster Punkt wird eingestellt...</translation>
    </message>
    <message>
        <source>Releasing the loop current...</source>
        <translation>Schleifenstrom wird freigegeben...</translation>
    </message>
    <message>
        <source>cancelled before anything was sent</source>
        <translation>abgebrochen, bevor etwas gesendet wurde</translation>
    </message>
    <message>
        <source>Cancelled; nothing was sent.</source>
        <translation>Abgebrochen; nichts wurde gesendet.</translation>
    </message>
    <message>
        <source>Nothing was changed: %1</source>
        <translation>Nichts wurde geändert: %1</translation>
    </message>
    <message>
        <source>The loop test result is not kept: %1</source>
        <translation>Das Ergebnis des Schleifentests wird nicht festgehalten: %1</translation>
    </message>
    <message>
        <source>Loop test passed.</source>
        <translation>Schleifentest bestanden.</translation>
    </message>
    <message>
        <source>Loop test stopped before the last point.</source>
        <translation>Schleifentest vor dem letzten Punkt gestoppt.</translation>
    </message>
    <message>
        <source>Loop test failed.</source>
        <translation>Schleifentest nicht bestanden.</translation>
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
    <message>
        <source>, </source>
        <translation>, </translation>
    </message>
    <message>
        <source>Line: configuration batch</source>
        <translation>Leitung: Konfiguration</translation>
    </message>
    <message>
        <source>Line: scan</source>
        <translation>Leitung: Suche</translation>
    </message>
    <message>
        <source>Line: live values</source>
        <translation>Leitung: Live-Werte</translation>
    </message>
    <message>
        <source>Connecting to %1...</source>
        <translation>Verbindung zu %1 wird aufgebaut...</translation>
    </message>
    <message>
        <source>%1: the page&apos;s value cannot be kept in a file.</source>
        <translation>%1: Der Wert der Seite lässt sich nicht in einer Datei festhalten.</translation>
    </message>
    <message>
        <source>answered after the time-out; </source>
        <translation>nach Ablauf der Wartezeit beantwortet; </translation>
    </message>
    <message>
        <source>what came was no answer to it</source>
        <translation>was kam, war keine Antwort darauf</translation>
    </message>
    <message>
        <source>answered without error, not read back</source>
        <translation>ohne Fehler beantwortet, nicht zurückgelesen</translation>
    </message>
    <message>
        <source>another request went out before its answer</source>
        <translation>eine andere Anfrage ging vor seiner Antwort hinaus</translation>
    </message>
    <message>
        <source>The history is not kept: </source>
        <translation>Die Historie wird nicht geführt: </translation>
    </message>
    <message>
        <source>the window closed before its answer</source>
        <translation>das Fenster wurde vor seiner Antwort geschlossen</translation>
    </message>
    <message>
        <source>A serial port, the simulated converter, or hart-ip://HOST[:PORT] (hart-ip+tcp://HOST[:PORT] over TCP) for a HART-IP server</source>
        <translation>Eine serielle Schnittstelle, der simulierte Umsetzer oder hart-ip://HOST[:PORT] (über TCP hart-ip+tcp://HOST[:PORT]) für einen HART-IP-Server</translation>
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
    <message>
        <source>session initiate</source>
        <translation>Sitzungsaufbau</translation>
    </message>
    <message>
        <source>session close</source>
        <translation>Sitzungsende</translation>
    </message>
    <message>
        <source>keep-alive</source>
        <translation>Keep-alive</translation>
    </message>
    <message>
        <source>pass-through</source>
        <translation>Durchreichung</translation>
    </message>
    <message>
        <source>request</source>
        <translation>Anfrage</translation>
    </message>
    <message>
        <source>response</source>
        <translation>Antwort</translation>
    </message>
    <message>
        <source>publish</source>
        <translation>Veröffentlichung</translation>
    </message>
    <message>
        <source>error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>NAK</source>
        <translation>NAK</translation>
    </message>
    <message>
        <source>HART-IP %1 %2, sequence %3, status %4</source>
        <translation>HART-IP %1 %2, Folgenummer %3, Status %4</translation>
    </message>
    <message>
        <source>HART-IP message refused (%1): %2</source>
        <translation>HART-IP-Nachricht abgewiesen (%1): %2</translation>
    </message>
    <message>
        <source>%1 from %2 to %3
</source>
        <translation>%1 von %2 an %3
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
        <source>read the device&apos;s configuration; print it or write FILE</source>
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
        <source>The polling address &apos;%1&apos; is not a number from 0 to 15.</source>
        <translation>Die Abfrageadresse &apos;%1&apos; ist keine Zahl von 0 bis 15.</translation>
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
        <source>Unknown command &apos;%1&apos;.</source>
        <translation>Unbekannter Befehl &apos;%1&apos;.</translation>
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
                   the device another&apos;s sensor serial number (its unique identifier)
  --dry-run        print what would be written and send no setting
  --backup-dir DIR write: keep the backup in DIR (default: the data folder&apos;s
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
    <message>
        <source>an unidentified device</source>
        <translation>ein nicht identifiziertes Gerät</translation>
    </message>
    <message>
        <source>manufacturer %1, device type %2, serial number %3 at polling address %4</source>
        <translation>Hersteller %1, Gerätetyp %2, Seriennummer %3 an Abfrageadresse %4</translation>
    </message>
    <message>
        <source>Reading the device failed: %1</source>
        <translation>Lesen des Geräts fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>could not be read from the %1 (%2)</source>
        <translation>konnte nicht aus %1 gelesen werden (%2)</translation>
    </message>
    <message>
        <source> (identity item, compared only with --with-identity)</source>
        <translation> (Identitätseintrag, nur mit --with-identity verglichen)</translation>
    </message>
    <message>
        <source>The %1 and the %2 are equal.</source>
        <translation>%1 und %2 sind gleich.</translation>
    </message>
    <message>
        <source>%1 item differs between the %2 and the %3.</source>
        <translation>%1 Eintrag unterscheidet sich zwischen %2 und %3.</translation>
    </message>
    <message>
        <source>%1 items differ between the %2 and the %3.</source>
        <translation>%1 Einträge unterscheiden sich zwischen %2 und %3.</translation>
    </message>
    <message>
        <source>Give the port with --port NAME, or --simulate for the simulated converter.</source>
        <translation>Die Schnittstelle mit --port NAME angeben, oder --simulate für den simulierten Umsetzer.</translation>
    </message>
    <message>
        <source>Standard output could not be written: %1.</source>
        <translation>Die Standardausgabe konnte nicht geschrieben werden: %1.</translation>
    </message>
    <message>
        <source>Standard output could not be written.</source>
        <translation>Die Standardausgabe konnte nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>%1; saved to %2.</source>
        <translation>%1; gespeichert in %2.</translation>
    </message>
    <message>
        <source>first file</source>
        <translation>erste Datei</translation>
    </message>
    <message>
        <source>second file</source>
        <translation>zweite Datei</translation>
    </message>
    <message>
        <source>device</source>
        <translation>Gerät</translation>
    </message>
    <message>
        <source>file</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Cannot create the backup folder %1.</source>
        <translation>Der Sicherungsordner %1 kann nicht angelegt werden.</translation>
    </message>
    <message>
        <source>%1 item was already equal.</source>
        <translation>%1 Eintrag war bereits gleich.</translation>
    </message>
    <message>
        <source>%1 items were already equal.</source>
        <translation>%1 Einträge waren bereits gleich.</translation>
    </message>
    <message>
        <source>Give --force to write it anyway.</source>
        <translation>Mit --force wird trotzdem geschrieben.</translation>
    </message>
    <message>
        <source>Try &apos;%1 --help&apos;.</source>
        <translation>Siehe &apos;%1 --help&apos;.</translation>
    </message>
    <message>
        <source>The address range &apos;%1&apos; is not FIRST-LAST within 0-63.</source>
        <translation>Der Adressbereich &apos;%1&apos; ist nicht FIRST-LAST innerhalb 0-63.</translation>
    </message>
    <message>
        <source>%1/%2 addresses</source>
        <translation>%1/%2 Adressen</translation>
    </message>
    <message>
        <source>The scan stopped: %1</source>
        <translation>Die Suche wurde gestoppt: %1</translation>
    </message>
    <message>
        <source>No device answered at addresses %1 to %2.</source>
        <translation>Kein Gerät hat an den Adressen %1 bis %2 geantwortet.</translation>
    </message>
    <message>
        <source>step the loop current through the points (command 40), then release it</source>
        <translation>den Schleifenstrom durch die Punkte führen (Befehl 40) und dann freigeben</translation>
    </message>
    <message>
        <source>write a commissioning report of the device, or of CONFIG</source>
        <translation>einen Inbetriebnahmebericht des Geräts oder von CONFIG schreiben</translation>
    </message>
    <message>
        <source>list the writes to devices, oldest first</source>
        <translation>die Schreibvorgänge an Geräte auflisten, älteste zuerst</translation>
    </message>
    <message>
        <source>The option %1 needs a value.</source>
        <translation>Die Option %1 braucht einen Wert.</translation>
    </message>
    <message>
        <source>The option --hold needs a number of seconds from 0 to 3600.</source>
        <translation>Die Option --hold braucht eine Sekundenzahl von 0 bis 3600.</translation>
    </message>
    <message>
        <source>No command given: say read, diff, write, scan, loop-test, report or history.</source>
        <translation>Kein Befehl angegeben: read, diff, write, scan, loop-test, report oder history angeben.</translation>
    </message>
    <message>
        <source>Give either --file or a device (--port or --simulate), not both.</source>
        <translation>Entweder --file oder ein Gerät (--port oder --simulate) angeben, nicht beides.</translation>
    </message>
    <message>
        <source>
Commissioning options:
  --points LIST    loop-test: the currents in mA (default 4,8,12,16,20)
  --hold SECONDS   loop-test: how long each point is held (default 5)
  --yes            loop-test: no question before the loop current is fixed
  --file CONFIG    report: the values of a configuration file, not of a device
  --operator NAME  report: the name on the report
  -o FILE          report: FILE.pdf or FILE.html (default report-TAG-DATE.pdf)
  --device ID      history: only the device with this unique identifier
  --since DATE     history: only the writes from DATE (YYYY-MM-DD) on
  --json           history: the records as JSON Lines
loop-test: 0 every point done and the loop released, 1 a point or the release
failed or the test was stopped, 2 refused before anything was changed.
The loop test and the writes of write are kept in the history (the data folder&apos;s
modbus-hart/history.jsonl).
</source>
        <translation>
Optionen zur Inbetriebnahme:
  --points LIST    loop-test: die Ströme in mA (Vorgabe 4,8,12,16,20)
  --hold SECONDS   loop-test: wie lange jeder Punkt gehalten wird (Vorgabe 5)
  --yes            loop-test: keine Rückfrage, bevor der Schleifenstrom fest wird
  --file CONFIG    report: die Werte einer Konfigurationsdatei statt eines Geräts
  --operator NAME  report: der Name auf dem Bericht
  -o FILE          report: FILE.pdf oder FILE.html (Vorgabe report-TAG-DATUM.pdf)
  --device ID      history: nur das Gerät mit dieser eindeutigen Kennung
  --since DATE     history: nur Schreibvorgänge ab DATE (JJJJ-MM-TT)
  --json           history: die Einträge als JSON Lines
loop-test: 0 alle Punkte erledigt und die Schleife freigegeben, 1 ein Punkt oder die
Freigabe fehlgeschlagen oder der Test abgebrochen, 2 abgelehnt, bevor etwas geändert wurde.
Der Schleifentest und die Schreibvorgänge von write stehen in der Historie (im
Datenordner unter modbus-hart/history.jsonl).
</translation>
    </message>
    <message>
        <source>The history did not keep this write: %1</source>
        <translation>Die Historie hat diesen Schreibvorgang nicht festgehalten: %1</translation>
    </message>
    <message>
        <source>The loop current will be fixed at each point and will not follow the process. Put the control loop in manual first.
</source>
        <translation>Der Schleifenstrom wird an jedem Punkt fest eingestellt und folgt nicht dem Prozess. Den Regelkreis vorher auf Hand schalten.
</translation>
    </message>
    <message>
        <source>Give --yes to run the loop test without a question. Nothing was changed.
</source>
        <translation>Mit --yes läuft der Schleifentest ohne Rückfrage. Es wurde nichts geändert.
</translation>
    </message>
    <message>
        <source>Go on? [y/N] </source>
        <translation>Fortfahren? [y/N] </translation>
    </message>
    <message>
        <source>Nothing was changed.
</source>
        <translation>Es wurde nichts geändert.
</translation>
    </message>
    <message>
        <source>Loop test of the device with unique identifier %1 at polling address %2.</source>
        <translation>Schleifentest des Geräts mit der eindeutigen Kennung %1 an Abfrageadresse %2.</translation>
    </message>
    <message>
        <source>Point %1 of %2: %3 mA not taken: %4</source>
        <translation>Punkt %1 von %2: %3 mA nicht übernommen: %4</translation>
    </message>
    <message>
        <source>Point %1 of %2: %3 mA set; the device reports %4 mA.</source>
        <translation>Punkt %1 von %2: %3 mA eingestellt; das Gerät meldet %4 mA.</translation>
    </message>
    <message>
        <source>The device did not identify itself (%1). Nothing was changed.</source>
        <translation>Das Gerät hat sich nicht identifiziert (%1). Es wurde nichts geändert.</translation>
    </message>
    <message>
        <source>Every point was taken and the loop was released.</source>
        <translation>Alle Punkte wurden übernommen und die Schleife freigegeben.</translation>
    </message>
    <message>
        <source>the file %1</source>
        <translation>der Datei %1</translation>
    </message>
    <message>
        <source>the device at polling address %1</source>
        <translation>dem Gerät an Abfrageadresse %1</translation>
    </message>
    <message>
        <source>The report is saved to %1.</source>
        <translation>Der Bericht ist in %1 gespeichert.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is no unique identifier (a number up to 16777215, or 0x and six hex digits).</source>
        <translation>„%1“ ist keine eindeutige Kennung (eine Zahl bis 16777215 oder 0x und sechs Hexziffern).</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is no date; give YYYY-MM-DD.</source>
        <translation>„%1“ ist kein Datum; JJJJ-MM-TT angeben.</translation>
    </message>
    <message>
        <source>%1: line %2 skipped: %3</source>
        <translation>%1: Zeile %2 übersprungen: %3</translation>
    </message>
    <message>
        <source>The option --hart-ip needs a server, HOST or HOST:PORT.</source>
        <translation>Die Option --hart-ip braucht einen Server, HOST oder HOST:PORT.</translation>
    </message>
    <message>
        <source>Give --hart-ip instead of --port or --simulate, not with them.</source>
        <translation>--hart-ip statt --port oder --simulate angeben, nicht zusammen mit ihnen.</translation>
    </message>
    <message>
        <source>The option --tcp goes with --hart-ip.</source>
        <translation>Die Option --tcp gehört zu --hart-ip.</translation>
    </message>
    <message>
        <source>
HART-IP options (instead of --port or --simulate):
  --hart-ip HOST[:PORT]
                   talk through a HART-IP server (a gateway, multiplexer or
                   remote I/O; port 5094 unless given), over UDP
  --tcp            with --hart-ip: over TCP instead
</source>
        <translation>
HART-IP-Optionen (statt --port oder --simulate):
  --hart-ip HOST[:PORT]
                   über einen HART-IP-Server sprechen (Gateway, Multiplexer oder
                   Remote-I/O; Port 5094, wenn nicht angegeben), über UDP
  --tcp            mit --hart-ip: stattdessen über TCP
</translation>
    </message>
    <message>
        <source>%1 from %2</source>
        <translation>%1 von %2</translation>
    </message>
</context>
<context>
    <name>config</name>
    <message>
        <source>read</source>
        <translation>gelesen</translation>
    </message>
    <message>
        <source>could not be read</source>
        <translation>nicht lesbar</translation>
    </message>
    <message>
        <source>already equal</source>
        <translation>bereits gleich</translation>
    </message>
    <message>
        <source>would be written</source>
        <translation>würde geschrieben</translation>
    </message>
    <message>
        <source>written and verified</source>
        <translation>geschrieben und geprüft</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>fehlgeschlagen</translation>
    </message>
    <message>
        <source>not attempted</source>
        <translation>nicht versucht</translation>
    </message>
    <message>
        <source>not written</source>
        <translation>nicht geschrieben</translation>
    </message>
    <message>
        <source>written, not verified (the device may have taken the value)</source>
        <translation>geschrieben, nicht geprüft (das Gerät hat den Wert möglicherweise übernommen)</translation>
    </message>
    <message>
        <source>The device&apos;s configuration before writing was saved to %1.</source>
        <translation>Die Konfiguration des Geräts vor dem Schreiben wurde in %1 gespeichert.</translation>
    </message>
    <message>
        <source>%1 requests had to be sent again.</source>
        <translation>%1 Anfragen mussten wiederholt werden.</translation>
    </message>
    <message>
        <source>Device: </source>
        <translation>Gerät: </translation>
    </message>
    <message>
        <source>tag &quot;%1&quot;, </source>
        <translation>Tag &quot;%1&quot;, </translation>
    </message>
    <message>
        <source>tag not read, </source>
        <translation>Tag nicht gelesen, </translation>
    </message>
    <message>
        <source>polling address %1, unique identifier %2</source>
        <translation>Abfrageadresse %1, eindeutige Kennung %2</translation>
    </message>
    <message>
        <source>not identified</source>
        <translation>nicht identifiziert</translation>
    </message>
    <message>
        <source>(not read)</source>
        <translation>(nicht gelesen)</translation>
    </message>
    <message>
        <source>item</source>
        <translation>Eintrag</translation>
    </message>
    <message>
        <source>items</source>
        <translation>Einträge</translation>
    </message>
    <message>
        <source>item would be written</source>
        <translation>Eintrag würde geschrieben</translation>
    </message>
    <message>
        <source>items would be written</source>
        <translation>Einträge würden geschrieben</translation>
    </message>
    <message>
        <source>item written and verified</source>
        <translation>Eintrag geschrieben und geprüft</translation>
    </message>
    <message>
        <source>items written and verified</source>
        <translation>Einträge geschrieben und geprüft</translation>
    </message>
    <message>
        <source>Nothing was written: another device now answers at polling address %1 (unique identifier %2, read and shown was %3).</source>
        <translation>Nichts geschrieben: an Abfrageadresse %1 antwortet jetzt ein anderes Gerät (eindeutige Kennung %2, gelesen und angezeigt wurde %3).</translation>
    </message>
    <message>
        <source>Nothing was written: the device no longer answers (%1).</source>
        <translation>Nichts geschrieben: das Gerät antwortet nicht mehr (%1).</translation>
    </message>
    <message>
        <source>The file was not written: no directory for the backup was given.</source>
        <translation>Die Datei wurde nicht geschrieben: kein Ordner für die Sicherung angegeben.</translation>
    </message>
    <message>
        <source>Cancelled after writing part of the file.</source>
        <translation>Abgebrochen, nachdem ein Teil der Datei geschrieben war.</translation>
    </message>
    <message>
        <source>Cancelled; nothing was written.</source>
        <translation>Abgebrochen; nichts geschrieben.</translation>
    </message>
    <message>
        <source>No device answered at polling address %1: %2.</source>
        <translation>An Abfrageadresse %1 hat kein Gerät geantwortet: %2.</translation>
    </message>
    <message>
        <source>the identify answer is too short</source>
        <translation>die Identifikationsantwort ist zu kurz</translation>
    </message>
    <message>
        <source>the answer is too short</source>
        <translation>die Antwort ist zu kurz</translation>
    </message>
    <message>
        <source>Nothing was written: the device&apos;s %1 could not be read first (%2).</source>
        <translation>Nichts geschrieben: %1 des Geräts konnte vorher nicht gelesen werden (%2).</translation>
    </message>
    <message>
        <source>Nothing was written: the file names no device type (force to write it anyway).</source>
        <translation>Nichts geschrieben: die Datei nennt keinen Gerätetyp (mit Erzwingen trotzdem schreiben).</translation>
    </message>
    <message>
        <source>Nothing was written: the device is manufacturer %1, device type %2, the file is for manufacturer %3, device type %4 (force to write it anyway).</source>
        <translation>Nichts geschrieben: das Gerät ist Hersteller %1, Gerätetyp %2, die Datei gilt für Hersteller %3, Gerätetyp %4 (mit Erzwingen trotzdem schreiben).</translation>
    </message>
    <message>
        <source>Nothing was written: the file&apos;s sensor serial number %1 is not this device&apos;s (%2); the converter uses it as its unique identifier, so two devices would share one.</source>
        <translation>Nichts geschrieben: die Sensor-Seriennummer %1 der Datei ist nicht die dieses Geräts (%2); der Umsetzer nutzt sie als eindeutige Kennung, zwei Geräte hätten dieselbe.</translation>
    </message>
    <message>
        <source>The file was not written: item &quot;%1&quot;: %2.</source>
        <translation>Die Datei wurde nicht geschrieben: Eintrag &quot;%1&quot;: %2.</translation>
    </message>
    <message>
        <source>identity item, not asked for</source>
        <translation>Identitätseintrag, nicht verlangt</translation>
    </message>
    <message>
        <source>Nothing would be written: the device already matches.</source>
        <translation>Nichts würde geschrieben: das Gerät stimmt bereits überein.</translation>
    </message>
    <message>
        <source>%1; nothing was sent.</source>
        <translation>%1; nichts gesendet.</translation>
    </message>
    <message>
        <source>Nothing to write: the device already matches.</source>
        <translation>Nichts zu schreiben: das Gerät stimmt bereits überein.</translation>
    </message>
    <message>
        <source>the backup could not be saved: %1</source>
        <translation>die Sicherung konnte nicht gespeichert werden: %1</translation>
    </message>
    <message>
        <source>the backup does not read back: %1</source>
        <translation>die Sicherung lässt sich nicht zurücklesen: %1</translation>
    </message>
    <message>
        <source>the backup %1 does not read back as what was read</source>
        <translation>die Sicherung %1 liest sich nicht als das Gelesene zurück</translation>
    </message>
    <message>
        <source>Nothing was written: %1.</source>
        <translation>Nichts geschrieben: %1.</translation>
    </message>
    <message>
        <source>Stopped at %1: %2. %3, %4.</source>
        <translation>Angehalten bei %1: %2. %3, %4.</translation>
    </message>
    <message>
        <source>Wrote %1, each read back equal.</source>
        <translation>%1 geschrieben, jeder gleich zurückgelesen.</translation>
    </message>
    <message>
        <source>cancelled before the answer; the device may have taken the value</source>
        <translation>vor der Antwort abgebrochen; das Gerät hat den Wert möglicherweise übernommen</translation>
    </message>
    <message>
        <source>%1; the device may have taken the value</source>
        <translation>%1; das Gerät hat den Wert möglicherweise übernommen</translation>
    </message>
    <message>
        <source>written, but the device did not answer the identify afterwards (%1)</source>
        <translation>geschrieben, aber das Gerät hat danach die Identifikation nicht beantwortet (%1)</translation>
    </message>
    <message>
        <source>written, but reading it back failed (%1)</source>
        <translation>geschrieben, aber das Zurücklesen ist fehlgeschlagen (%1)</translation>
    </message>
    <message>
        <source>read back %1, meant %2</source>
        <translation>zurückgelesen %1, gemeint %2</translation>
    </message>
    <message>
        <source>equal</source>
        <translation>gleich</translation>
    </message>
    <message>
        <source>different</source>
        <translation>verschieden</translation>
    </message>
    <message>
        <source>only in %1</source>
        <translation>nur in %1</translation>
    </message>
    <message>
        <source>in neither</source>
        <translation>in keinem</translation>
    </message>
    <message>
        <source>identity: not an object</source>
        <translation>identity: kein Objekt</translation>
    </message>
    <message>
        <source>identity: unknown key &quot;%1&quot;</source>
        <translation>identity: unbekannter Schlüssel &quot;%1&quot;</translation>
    </message>
    <message>
        <source>identity: expandedDeviceType: not true or false</source>
        <translation>identity: expandedDeviceType: nicht true oder false</translation>
    </message>
    <message>
        <source>identity: %1: missing or not a whole number in 0..%2</source>
        <translation>identity: %1: fehlt oder keine ganze Zahl in 0..%2</translation>
    </message>
    <message>
        <source>not valid JSON: %1 at offset %2</source>
        <translation>kein gültiges JSON: %1 bei Offset %2</translation>
    </message>
    <message>
        <source>not a configuration file: the JSON is not an object</source>
        <translation>keine Konfigurationsdatei: das JSON ist kein Objekt</translation>
    </message>
    <message>
        <source>the key &quot;%1&quot; stands twice</source>
        <translation>der Schlüssel &quot;%1&quot; steht zweimal</translation>
    </message>
    <message>
        <source>not a configuration file: format is not &quot;%1&quot;</source>
        <translation>keine Konfigurationsdatei: Format ist nicht &quot;%1&quot;</translation>
    </message>
    <message>
        <source>unknown format version</source>
        <translation>unbekannte Formatversion</translation>
    </message>
    <message>
        <source>made by a newer program: format version %1, this program reads up to %2</source>
        <translation>von einem neueren Programm erstellt: Formatversion %1, dieses Programm liest bis %2</translation>
    </message>
    <message>
        <source>items: missing or not an object</source>
        <translation>items: fehlt oder kein Objekt</translation>
    </message>
    <message>
        <source>unknown item &quot;%1&quot;</source>
        <translation>unbekannter Eintrag &quot;%1&quot;</translation>
    </message>
    <message>
        <source>item &quot;%1&quot;: %2</source>
        <translation>Eintrag &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>%1: not saved: %2</source>
        <translation>%1: nicht gespeichert: %2</translation>
    </message>
    <message>
        <source>Read %1</source>
        <translation>%1 gelesen</translation>
    </message>
    <message>
        <source>%1 of %2 requests had to be sent again.</source>
        <translation>%1 von %2 Anfragen mussten wiederholt werden.</translation>
    </message>
    <message>
        <source> (%1 of %2 requests sent again)</source>
        <translation> (%1 von %2 Anfragen erneut gesendet)</translation>
    </message>
    <message>
        <source>%1; %2: %3.</source>
        <translation>%1; %2: %3.</translation>
    </message>
</context>
<context>
    <name>config::History</name>
    <message>
        <source>verified</source>
        <translation>geprüft</translation>
    </message>
    <message>
        <source>refused</source>
        <translation>abgelehnt</translation>
    </message>
    <message>
        <source>no answer</source>
        <translation>keine Antwort</translation>
    </message>
    <message>
        <source>the device may have taken the value</source>
        <translation>das Gerät hat den Wert möglicherweise übernommen</translation>
    </message>
</context>
<context>
    <name>config::LoopTest</name>
    <message>
        <source>&quot;%1&quot; is not a current in mA</source>
        <translation>„%1“ ist kein Strom in mA</translation>
    </message>
    <message>
        <source>%1 mA is outside %2 to %3 mA</source>
        <translation>%1 mA liegt außerhalb von %2 bis %3 mA</translation>
    </message>
    <message>
        <source>at most %1 points</source>
        <translation>höchstens %1 Punkte</translation>
    </message>
    <message>
        <source>the identify answer is too short</source>
        <translation>die Identifikationsantwort ist zu kurz</translation>
    </message>
    <message>
        <source>cancelled</source>
        <translation>abgebrochen</translation>
    </message>
    <message>
        <source>the device reports %1 mA</source>
        <translation>das Gerät meldet %1 mA</translation>
    </message>
    <message>
        <source>The loop current follows the process again.</source>
        <translation>Der Schleifenstrom folgt wieder dem Prozess.</translation>
    </message>
    <message>
        <source>The loop current may still be fixed: %1. Take the device out of fixed current mode before the loop is used.</source>
        <translation>Der Schleifenstrom ist möglicherweise noch fest: %1. Das Gerät vor dem Gebrauch der Schleife aus dem Festwertmodus nehmen.</translation>
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
    <message>
        <source>NO SPACK</source>
        <translation>KEIN LEERZEICHEN</translation>
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
    <message>
        <source>address %1: manufacturer %2 (0x%3), device type %4 (0x%5), unique id %6 (0x%7), HART %8, %9 preambles</source>
        <translation>Adresse %1: Hersteller %2 (0x%3), Gerätetyp %4 (0x%5), eindeutige Kennung %6 (0x%7), HART %8, %9 Präambeln</translation>
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
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Success</source>
        <translation>Erfolg</translation>
    </message>
    <message>
        <source>Undefined</source>
        <translation>Nicht definiert</translation>
    </message>
    <message>
        <source>Invalid selection</source>
        <translation>Ungültige Auswahl</translation>
    </message>
    <message>
        <source>Passed parameter too large</source>
        <translation>Übergebener Parameter zu groß</translation>
    </message>
    <message>
        <source>Passed parameter too small</source>
        <translation>Übergebener Parameter zu klein</translation>
    </message>
    <message>
        <source>Too few data bytes received</source>
        <translation>Zu wenige Datenbytes empfangen</translation>
    </message>
    <message>
        <source>Device-specific command error</source>
        <translation>Fehler im gerätespezifischen Kommando</translation>
    </message>
    <message>
        <source>In write protect mode</source>
        <translation>Im Schreibschutzmodus</translation>
    </message>
    <message>
        <source>Access restricted</source>
        <translation>Zugriff eingeschränkt</translation>
    </message>
    <message>
        <source>Invalid device variable index</source>
        <translation>Ungültiger Gerätevariablen-Index</translation>
    </message>
    <message>
        <source>Invalid units code</source>
        <translation>Ungültiger Einheitencode</translation>
    </message>
    <message>
        <source>Device variable index not allowed</source>
        <translation>Gerätevariablen-Index nicht zulässig</translation>
    </message>
    <message>
        <source>Invalid extended command number</source>
        <translation>Ungültige erweiterte Kommandonummer</translation>
    </message>
    <message>
        <source>Busy</source>
        <translation>Beschäftigt</translation>
    </message>
    <message>
        <source>Delayed response initiated</source>
        <translation>Verzögerte Antwort eingeleitet</translation>
    </message>
    <message>
        <source>Delayed response running</source>
        <translation>Verzögerte Antwort läuft</translation>
    </message>
    <message>
        <source>Delayed response dead</source>
        <translation>Verzögerte Antwort abgebrochen</translation>
    </message>
    <message>
        <source>Delayed response conflict</source>
        <translation>Konflikt bei verzögerter Antwort</translation>
    </message>
    <message>
        <source>Command not implemented</source>
        <translation>Kommando nicht implementiert</translation>
    </message>
    <message>
        <source>Command-specific error</source>
        <translation>Kommandospezifischer Fehler</translation>
    </message>
    <message>
        <source>Command-specific warning</source>
        <translation>Kommandospezifische Warnung</translation>
    </message>
    <message>
        <source>the device answered: %1 (response code %2)</source>
        <translation>das Gerät antwortete: %1 (Antwortcode %2)</translation>
    </message>
    <message>
        <source>Field device malfunction</source>
        <translation>Feldgerät gestört</translation>
    </message>
    <message>
        <source>Configuration changed</source>
        <translation>Konfiguration geändert</translation>
    </message>
    <message>
        <source>Cold start</source>
        <translation>Kaltstart</translation>
    </message>
    <message>
        <source>More status available</source>
        <translation>Weiterer Status verfügbar</translation>
    </message>
    <message>
        <source>Loop current fixed</source>
        <translation>Schleifenstrom fest</translation>
    </message>
    <message>
        <source>Loop current saturated</source>
        <translation>Schleifenstrom gesättigt</translation>
    </message>
    <message>
        <source>Non-primary variable out of limits</source>
        <translation>Nicht-Primärvariable außerhalb der Grenzen</translation>
    </message>
    <message>
        <source>Primary variable out of limits</source>
        <translation>Primärvariable außerhalb der Grenzen</translation>
    </message>
</context>
<context>
    <name>line</name>
    <message>
        <source>&apos;%1&apos; is no HART-IP address: a ] is missing.</source>
        <translation>„%1“ ist keine HART-IP-Adresse: ein ] fehlt.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is no HART-IP address: write HOST or HOST:PORT.</source>
        <translation>„%1“ ist keine HART-IP-Adresse: HOST oder HOST:PORT schreiben.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is no HART-IP address: the port is not a number from 1 to 65535.</source>
        <translation>„%1“ ist keine HART-IP-Adresse: der Port ist keine Zahl von 1 bis 65535.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is no HART-IP address: the host is missing.</source>
        <translation>„%1“ ist keine HART-IP-Adresse: der Host fehlt.</translation>
    </message>
    <message>
        <source>%1 did not answer the session request in time.</source>
        <translation>%1 hat die Sitzungsanfrage nicht rechtzeitig beantwortet.</translation>
    </message>
</context>
<context>
    <name>line::HartIpPort</name>
    <message>
        <source>%1 did not answer the session request in time.</source>
        <translation>%1 hat die Sitzungsanfrage nicht rechtzeitig beantwortet.</translation>
    </message>
    <message>
        <source>Cannot find the host %1: %2.</source>
        <translation>Der Host %1 wurde nicht gefunden: %2.</translation>
    </message>
    <message>
        <source>the server closed the connection</source>
        <translation>der Server hat die Verbindung geschlossen</translation>
    </message>
    <message>
        <source>nothing answers at that address and port</source>
        <translation>unter dieser Adresse und diesem Port antwortet nichts</translation>
    </message>
    <message>
        <source>The connection to %1 was lost: %2.</source>
        <translation>Die Verbindung zu %1 ist verloren: %2.</translation>
    </message>
    <message>
        <source>Cannot reach %1: %2.</source>
        <translation>%1 ist nicht erreichbar: %2.</translation>
    </message>
    <message>
        <source>The server at %1 stopped answering.</source>
        <translation>Der Server unter %1 antwortet nicht mehr.</translation>
    </message>
    <message>
        <source>%1 sent bytes that are no HART-IP message (%2).</source>
        <translation>%1 hat Bytes gesendet, die keine HART-IP-Nachricht sind (%2).</translation>
    </message>
    <message>
        <source>short header</source>
        <translation>Kopf zu kurz</translation>
    </message>
    <message>
        <source>wrong version</source>
        <translation>falsche Version</translation>
    </message>
    <message>
        <source>unknown message type</source>
        <translation>unbekannter Nachrichtentyp</translation>
    </message>
    <message>
        <source>unknown message id</source>
        <translation>unbekannte Nachrichtenkennung</translation>
    </message>
    <message>
        <source>byte count below the header</source>
        <translation>Bytezahl kleiner als der Kopf</translation>
    </message>
    <message>
        <source>byte count past the end</source>
        <translation>Bytezahl über das Ende hinaus</translation>
    </message>
    <message>
        <source>message too long</source>
        <translation>Nachricht zu lang</translation>
    </message>
    <message>
        <source>rejected</source>
        <translation>abgewiesen</translation>
    </message>
    <message>
        <source>it does not take this master type</source>
        <translation>es nimmt diesen Mastertyp nicht an</translation>
    </message>
    <message>
        <source>too few data bytes</source>
        <translation>zu wenige Datenbytes</translation>
    </message>
    <message>
        <source>HART-IP version not supported</source>
        <translation>HART-IP-Version nicht unterstützt</translation>
    </message>
    <message>
        <source>all available sessions in use</source>
        <translation>alle verfügbaren Sitzungen belegt</translation>
    </message>
    <message>
        <source>a session is already established</source>
        <translation>eine Sitzung besteht bereits</translation>
    </message>
    <message>
        <source>status %1</source>
        <translation>Status %1</translation>
    </message>
    <message>
        <source>no error code given</source>
        <translation>kein Fehlercode angegeben</translation>
    </message>
    <message>
        <source>session closed</source>
        <translation>Sitzung geschlossen</translation>
    </message>
    <message>
        <source>primary master unavailable</source>
        <translation>Primärmaster nicht verfügbar</translation>
    </message>
    <message>
        <source>service unavailable</source>
        <translation>Dienst nicht verfügbar</translation>
    </message>
    <message>
        <source>error code %1</source>
        <translation>Fehlercode %1</translation>
    </message>
    <message>
        <source>%1 ended the session: %2.</source>
        <translation>%1 hat die Sitzung beendet: %2.</translation>
    </message>
    <message>
        <source>%1 refused the session: %2.</source>
        <translation>%1 hat die Sitzung abgelehnt: %2.</translation>
    </message>
</context>
<context>
    <name>report::Report</name>
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
        <source>Polling address</source>
        <translation>Abfrageadresse</translation>
    </message>
    <message>
        <source>Set (mA)</source>
        <translation>Soll (mA)</translation>
    </message>
    <message>
        <source>Device reports (mA)</source>
        <translation>Gerät meldet (mA)</translation>
    </message>
    <message>
        <source>Control system reads (mA)</source>
        <translation>Leitsystem liest (mA)</translation>
    </message>
    <message>
        <source>Deviation (mA)</source>
        <translation>Abweichung (mA)</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>Item</source>
        <translation>Eintrag</translation>
    </message>
    <message>
        <source>Before</source>
        <translation>Vorher</translation>
    </message>
    <message>
        <source>After</source>
        <translation>Nachher</translation>
    </message>
    <message>
        <source>Outcome</source>
        <translation>Ausgang</translation>
    </message>
    <message>
        <source>Program</source>
        <translation>Programm</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>Gerät</translation>
    </message>
    <message>
        <source>Configuration</source>
        <translation>Konfiguration</translation>
    </message>
    <message>
        <source>Loop test</source>
        <translation>Schleifentest</translation>
    </message>
    <message>
        <source>Writes to this device</source>
        <translation>Schreibvorgänge an dieses Gerät</translation>
    </message>
    <message>
        <source>not known</source>
        <translation>unbekannt</translation>
    </message>
    <message>
        <source>Tag</source>
        <translation>Messstellen-Tag</translation>
    </message>
    <message>
        <source>Long tag</source>
        <translation>Langer Tag</translation>
    </message>
    <message>
        <source>Descriptor</source>
        <translation>Beschreibung</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Nachricht</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>passed</source>
        <translation>bestanden</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>fehlgeschlagen</translation>
    </message>
    <message>
        <source>Commissioning report</source>
        <translation>Inbetriebnahmebericht</translation>
    </message>
    <message>
        <source>Date and time</source>
        <translation>Datum und Uhrzeit</translation>
    </message>
    <message>
        <source>Tool version</source>
        <translation>Programmversion</translation>
    </message>
    <message>
        <source>Operator</source>
        <translation>Bearbeiter</translation>
    </message>
    <message>
        <source>Values from</source>
        <translation>Werte aus</translation>
    </message>
    <message>
        <source>No loop test of this device is on record.</source>
        <translation>Für dieses Gerät ist kein Schleifentest verzeichnet.</translation>
    </message>
    <message>
        <source>No writes to this device are on record.</source>
        <translation>Für dieses Gerät sind keine Schreibvorgänge verzeichnet.</translation>
    </message>
    <message>
        <source>Signature:</source>
        <translation>Unterschrift:</translation>
    </message>
    <message>
        <source>Date:</source>
        <translation>Datum:</translation>
    </message>
    <message>
        <source>The writes to this device are not known: the history could not be read (%1).</source>
        <translation>Die Schreibvorgänge an dieses Gerät sind unbekannt: der Verlauf konnte nicht gelesen werden (%1).</translation>
    </message>
    <message>
        <source>%1 damaged line(s) of the history were skipped; writes recorded there are not shown.</source>
        <translation>%1 beschädigte Zeile(n) des Verlaufs wurden übersprungen; dort festgehaltene Schreibvorgänge werden nicht gezeigt.</translation>
    </message>
</context>
</TS>
