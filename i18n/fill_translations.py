#!/usr/bin/env python3
"""Fills the .ts files from the dictionaries below (the dictionaries are the translation).

Run after lupdate: python3 i18n/fill_translations.py. Entries already translated in a .ts are replaced by the
dictionary's text, so the dictionary stays the one place to change a translation; a source text missing here is
left unfinished, which the test in tests/i18n reports.
"""
import html
import re
import sys
from pathlib import Path

HELP_EN = (
    "\nOptions:\n"
    "  --port NAME      the serial port: COM3, /dev/ttyUSB0, ttyUSB0 or a path\n"
    "  --simulate       talk to the built-in simulated converter instead\n"
    "  --address N      polling address to identify, 0 to 15 (default 0)\n"
    "  --capture FILE   save every frame on the line in FILE, a pcapng capture for Wireshark\n"
    "  --with-identity  also compare or write the identity items\n"
    "  --force          write even to another manufacturer or device type, or give\n"
    "                   the device another's sensor serial number (its unique identifier)\n"
    "  --dry-run        print what would be written and send no setting\n"
    "  --backup-dir DIR write: keep the backup in DIR (default: the data folder's\n"
    "                   modbus-hart/backups, shared with the window)\n"
    "  -o FILE          read: write the file to FILE; - is standard output\n"
    "  --addresses R    scan: the polling addresses, 0-15 (default) up to 0-63\n"
    "  --help, --version\n\n"
    "Exit status: 0 done (diff: equal), 1 differences found, a read that saved only\n"
    "some items, or a write stopped after changing something, 2 refused or failed\n"
    "before changing anything.\n"
    "scan: 0 one or more devices found, 1 none, 2 an error.\n")

HELP_ZH = (
    "\n选项：\n"
    "  --port NAME      串口：COM3、/dev/ttyUSB0、ttyUSB0 或路径\n"
    "  --simulate       改为与内置的模拟转换器通信\n"
    "  --address N      要识别的轮询地址，0 到 15（默认 0）\n"
    "  --capture FILE   将线路上的每一帧保存到 FILE，即供 Wireshark 使用的 pcapng 抓包文件\n"
    "  --with-identity  同时比较或写入标识项\n"
    "  --force          即使制造商或设备类型不同也写入，或将另一台设备的\n"
    "                   传感器序列号（其唯一标识符）写给该设备\n"
    "  --dry-run        打印将要写入的内容，不发送任何设置\n"
    "  --backup-dir DIR write：备份保存在 DIR 中（默认：数据文件夹中的\n"
    "                   modbus-hart/backups，与窗口共用）\n"
    "  -o FILE          read：将文件写入 FILE；- 表示标准输出\n"
    "  --addresses R    scan：轮询地址范围，0-15（默认）至 0-63\n"
    "  --help, --version\n\n"
    "退出状态：0 完成（diff：相同），1 发现差异、读取只保存了部分项，\n"
    "或写入在更改了某些内容后停止，2 在更改任何内容之前被拒绝或失败。\n"
    "scan：0 找到一台或多台设备，1 未找到，2 出错。\n")

HELP_DE = (
    "\nOptionen:\n"
    "  --port NAME      die serielle Schnittstelle: COM3, /dev/ttyUSB0, ttyUSB0 oder ein Pfad\n"
    "  --simulate       stattdessen mit dem eingebauten simulierten Umsetzer sprechen\n"
    "  --address N      zu identifizierende Abfrageadresse, 0 bis 15 (Vorgabe 0)\n"
    "  --capture FILE   jeden Frame der Leitung in FILE speichern, ein pcapng-Mitschnitt für Wireshark\n"
    "  --with-identity  auch die Identitätseinträge vergleichen oder schreiben\n"
    "  --force          auch an einen anderen Hersteller oder Gerätetyp schreiben oder dem\n"
    "                   Gerät die Sensor-Seriennummer (eindeutige Kennung) eines anderen geben\n"
    "  --dry-run        ausgeben, was geschrieben würde, und keine Einstellung senden\n"
    "  --backup-dir DIR write: die Sicherung in DIR ablegen (Vorgabe: im Datenordner\n"
    "                   modbus-hart/backups, gemeinsam mit dem Fenster)\n"
    "  -o FILE          read: die Datei nach FILE schreiben; - ist die Standardausgabe\n"
    "  --addresses R    scan: die Abfrageadressen, 0-15 (Vorgabe) bis 0-63\n"
    "  --help, --version\n\n"
    "Exit-Status: 0 erledigt (diff: gleich), 1 Unterschiede gefunden, ein Lesen, das nur\n"
    "einige Einträge gespeichert hat, oder ein Schreiben, das nach einer Änderung abbrach,\n"
    "2 abgelehnt oder fehlgeschlagen, bevor etwas geändert wurde.\n"
    "scan: 0 ein oder mehrere Geräte gefunden, 1 keines, 2 ein Fehler.\n")

# source -> (Simplified Chinese, German)
T = {
    # ---- the window's captions ----
    "Address Number:": ("轮询地址：", "Abfrageadresse:"),
    "Find Devices": ("查找设备", "Geräte suchen"),
    "Manufacturing ID:": ("制造商 ID：", "Hersteller-ID:"),
    "Sensor Type:": ("传感器类型：", "Sensortyp:"),
    "Preamble Length:": ("前导码长度：", "Präambellänge:"),
    "Sensor Serial Number:": ("传感器序列号：", "Sensor-Seriennr.:"),
    "Communication Test": ("通信测试", "Verbindungstest"),
    "Current Value:": ("电流值：", "Stromwert:"),
    "Output Percentage:": ("输出百分比：", "Ausgang in %:"),
    "Current Query": ("电流查询", "Strom lesen"),
    "Variable %1:": ("变量 %1：", "Variable %1:"),
    "Unit:": ("单位：", "Einheit:"),
    "Instrument Data Query": ("仪表数据查询", "Messwerte lesen"),
    "Live": ("实时", "Live"),
    "fastest": ("最快", "max."),
    "Time between two samples": ("两次采样之间的时间", "Zeit zwischen zwei Messungen"),
    "Trend...": ("趋势...", "Verlauf..."),
    "OUT DC4-20mA Output": ("OUT DC4-20mA 输出", "OUT DC4-20mA Ausgang"),
    "OUT  DC20mA:": ("OUT  DC20mA：", "OUT  DC20mA:"),
    "OUT  DC4mA:": ("OUT  DC4mA：", "OUT  DC4mA:"),
    "Query": ("查询", "Lesen"),
    "Set": ("设置", "Setzen"),
    "Current Output": ("电流输出", "Stromausgang"),
    "4mA Output": ("4mA 输出", "4mA Ausgang"),
    "8mA Output": ("8mA 输出", "8mA Ausgang"),
    "12mA Output": ("12mA 输出", "12mA Ausgang"),
    "16mA Output": ("16mA 输出", "16mA Ausgang"),
    "20mA Output": ("20mA 输出", "20mA Ausgang"),
    "Other Output": ("其他输出", "Anderer Wert"),
    "Exit Fixed Mode": ("退出固定模式", "Festmodus beenden"),
    "Instrument Information:": ("仪表信息：", "Geräteinformation:"),
    "maximum 32 characters": ("最多 32 个字符", "max. 32 Zeichen"),
    "Tag:": ("位号：", "Messstellen-Tag:"),
    "maximum 8 characters": ("最多 8 个字符", "max. 8 Zeichen"),
    "Descriptor:": ("描述符：", "Beschreibung:"),
    "maximum 16 characters": ("最多 16 个字符", "max. 16 Zeichen"),
    "Year": ("年", "Jahr"),
    "Month": ("月", "Monat"),
    "Day": ("日", "Tag"),
    "Date Of Production:": ("生产日期：", "Herstelldatum:"),
    "note：the serial number is less than 16777215": ("注意：序列号须小于 16777215", "Hinweis: Seriennummer kleiner als 16777215"),
    "Assembly Number:": ("装配号：", "Baugruppennr.:"),
    "Address Modification:": ("修改地址：", "Adresse ändern:"),
    "LTAG:": ("长位号：", "Langer Tag:"),
    "internal parameter settings": ("内部参数设置", "interne Parameter"),
    "after resetting the sensor type or manufacturing ID, a new query is required to communicate":
        ("重新设置传感器类型或制造商 ID 后，需重新查询才能通信",
         "nach Änderung von Sensortyp oder Hersteller-ID ist für die Kommunikation eine neue Abfrage nötig"),
    "RS485 Parameter Configuration": ("RS485 参数配置", "RS485-Parameter"),
    "Baud Rate:": ("波特率：", "Baudrate:"),
    "Parity Bit:": ("校验位：", "Parität:"),
    "Communication Interval Time:": ("通信间隔时间：", "Abfrageintervall:"),
    "when the interval time is 00,the converter writes variable according to the MODBUS instruction":
        ("间隔时间为 00 时，转换器按 MODBUS 指令写入变量",
         "bei Intervall 00 schreibt der Umsetzer die Variable gemäß dem MODBUS-Befehl"),
    "Instrument Command %1": ("仪表指令 %1", "Gerätebefehl %1"),
    "Enable:": ("启用：", "Aktiv:"),
    "Command Code:": ("指令代码：", "Befehlscode:"),
    "Return Byte 1:": ("返回字节 1：", "Antwortbyte 1:"),
    "Byte 2:": ("字节 2：", "Byte 2:"),
    "MODBUS Paring Format": ("MODBUS 解析格式", "MODBUS-Datenformat"),
    "Command Number": ("指令号", "Befehl"),
    "Data Addr": ("数据地址", "Datenadr."),
    "Length": ("长度", "Länge"),
    "Parsing Format": ("解析格式", "Datenformat"),
    "Coefficient": ("系数", "Faktor"),
    "RS485 AD3 Value:": ("RS485 AD3 值：", "RS485 AD3-Wert:"),
    "RS485 AD4 Value:": ("RS485 AD4 值：", "RS485 AD4-Wert:"),
    "RS485 AD5 Value:": ("RS485 AD5 值：", "RS485 AD5-Wert:"),
    "RS485 AD6 Value:": ("RS485 AD6 值：", "RS485 AD6-Wert:"),
    "Serial Number:": ("序列号：", "Seriennummer:"),
    "Analog Configuration": ("模拟量配置", "Analogeingänge"),
    "Upper Limit": ("上限", "Obergrenze"),
    "Lower Llimit": ("下限", "Untergrenze"),
    "Start Point": ("起点", "Nullpunkt"),
    "Coefficient/10000": ("系数/10000", "Faktor/10000"),
    "instructions for using coefficient values\nwhen greater than 1000:\nactual value=measured value * (1+V/10000)\nwhen less than 1000:\nactual value=measured value * (1-V/10000)":
        ("系数值使用说明\n大于 1000 时：\n实际值=测量值 * (1+V/10000)\n小于 1000 时：\n实际值=测量值 * (1-V/10000)",
         "Anwendung des Faktors\nwenn größer als 1000:\nIstwert=Messwert * (1+V/10000)\nwenn kleiner als 1000:\nIstwert=Messwert * (1-V/10000)"),
    "HART Variable Output Configuration": ("HART 变量输出配置", "Zuordnung der HART-Variablen"),
    "Input Channel": ("输入通道", "Eingangskanal"),
    "Unit Code": ("单位代码", "Einheitencode"),
    "Quorvane Configuration Software": ("Quorvane 组态软件", "Quorvane Konfigurationssoftware"),
    "Serial Port:": ("串口：", "Schnittstelle:"),
    "Open": ("打开", "Öffnen"),
    "Close": ("关闭", "Schließen"),
    "Tel: +86-555-0100-4242": ("电话：+86-555-0100-4242", "Tel.: +86-555-0100-4242"),
    "Parameter Configuration": ("参数配置", "Parameter"),
    " Instrument Information": (" 仪表信息", " Geräteinfo"),
    "Input Configuration": ("输入配置", "Eingänge"),
    "Analog && Variable Configuration": ("模拟量和变量配置", "Analog && Variablen"),
    "Number Of Bytes Send:": ("发送字节数：", "Bytes gesendet:"),
    "Number Of Bytes Received:": ("接收字节数：", "Bytes empfangen:"),
    "Transfer Status:": ("传输状态：", "Status:"),
    # ---- trend ----
    "Live Values": ("实时值", "Live-Werte"),
    "time": ("时间", "Zeit"),
    "variables": ("变量", "Variablen"),
    "loop current (mA)": ("回路电流 (mA)", "Schleifenstrom (mA)"),
    "Loop current (mA)": ("回路电流 (mA)", "Schleifenstrom (mA)"),
    "Variable %1": ("变量 %1", "Variable %1"),
    "Pause": ("暂停", "Pause"),
    "Export CSV...": ("导出 CSV...", "CSV exportieren..."),
    "Variable %1 (%2)": ("变量 %1 (%2)", "Variable %1 (%2)"),
    "Resume": ("继续", "Fortsetzen"),
    "Cannot write %1: %2": ("无法写入 %1：%2", "%1 kann nicht geschrieben werden: %2"),
    "Export samples": ("导出采样", "Messwerte exportieren"),
    "CSV files (*.csv)": ("CSV 文件 (*.csv)", "CSV-Dateien (*.csv)"),
    "%1 samples written to %2": ("已将 %1 个采样写入 %2", "%1 Messwerte nach %2 geschrieben"),
    # ---- find devices ----
    "Addresses:": ("地址：", "Adressen:"),
    "Scan": ("扫描", "Suchen"),
    "Cancel": ("取消", "Abbrechen"),
    "%v of %m addresses": ("%v / %m 个地址", "%v von %m Adressen"),
    "Address": ("地址", "Adresse"),
    "Manufacturer": ("制造商", "Hersteller"),
    "Device type": ("设备类型", "Gerätetyp"),
    "Unique identifier": ("唯一标识符", "Eindeutige Kennung"),
    "HART revision": ("HART 版本", "HART-Revision"),
    "Preambles": ("前导码", "Präambeln"),
    "Use this device": ("使用此设备", "Dieses Gerät verwenden"),
    "Cancelling...": ("正在取消...", "Wird abgebrochen..."),
    "Scanning...": ("正在扫描...", "Suche läuft..."),
    "No device answered.": ("没有设备应答。", "Kein Gerät hat geantwortet."),
    "%1 device(s) found. Choose one to identify it.": ("找到 %1 台设备。请选择一台进行识别。", "%1 Gerät(e) gefunden. Eines zum Identifizieren wählen."),
    "Cancelled; %1 device(s) found so far.": ("已取消；目前找到 %1 台设备。", "Abgebrochen; bisher %1 Gerät(e) gefunden."),
    "Scan stopped: %1.": ("扫描已停止：%1。", "Suche gestoppt: %1."),
    # ---- live values ----
    "Live values stopped: a configuration batch uses the line.": ("实时值已停止：配置批处理正在使用线路。", "Live-Werte gestoppt: ein Konfigurationslauf belegt die Leitung."),
    "broken answer frame": ("应答帧损坏", "fehlerhafter Antwortframe"),
    "an answer without the values": ("应答中没有数值", "eine Antwort ohne Werte"),
    # ---- window ----
    "The long tag holds control characters; type a new tag to write.": ("长位号含有控制字符；请输入新的位号再写入。", "Der lange Tag enthält Steuerzeichen; zum Schreiben einen neuen Tag eingeben."),
    "Port disconnected: %1": ("串口已断开：%1", "Schnittstelle getrennt: %1"),
    "Device Status:": ("设备状态：", "Gerätestatus:"),
    "Traffic…": ("通信记录…", "Verkehr…"),
    "Every frame on the line, decoded": ("线路上的每一帧（已解码）", "Jeder Frame auf der Leitung, dekodiert"),
    # ---- traffic ----
    "Sent": ("发送", "Gesendet"),
    "Received": ("接收", "Empfangen"),
    "Time (ms)": ("时间 (ms)", "Zeit (ms)"),
    "Gap (ms)": ("间隔 (ms)", "Abstand (ms)"),
    "Direction": ("方向", "Richtung"),
    "Frames": ("帧", "Frames"),
    "%1 at %2 ms, %3 bytes\n\n": ("%1 于 %2 ms，%3 字节\n\n", "%1 bei %2 ms, %3 Bytes\n\n"),
    "Line Traffic": ("线路通信", "Leitungsverkehr"),
    "Clear": ("清除", "Leeren"),
    "Copy": ("复制", "Kopieren"),
    "Save Capture…": ("保存抓包…", "Mitschnitt speichern…"),
    "Save Capture": ("保存抓包", "Mitschnitt speichern"),
    "pcapng captures (*.pcapng);;All files (*)": ("pcapng 抓包文件 (*.pcapng);;所有文件 (*)", "pcapng-Mitschnitte (*.pcapng);;Alle Dateien (*)"),
    "%1 rows saved to %2": ("已将 %1 行保存到 %2", "%1 Zeilen in %2 gespeichert"),
    "Clear Selection": ("取消选择", "Auswahl aufheben"),
    "%1 rows": ("%1 行", "%1 Zeilen"),
    ", %1 held while paused": ("，暂停期间保留 %1 行", ", %1 während der Pause zurückgehalten"),
    # ---- command line ----
    "read the device's configuration; print it or write FILE": ("读取设备的配置；打印或写入 FILE", "die Konfiguration des Geräts lesen; ausgeben oder in FILE schreiben"),
    "compare the device with FILE, or FILE with FILE2": ("将设备与 FILE 比较，或将 FILE 与 FILE2 比较", "das Gerät mit FILE vergleichen, oder FILE mit FILE2"),
    "write what differs from FILE to the device, verifying each item": ("将与 FILE 不同的内容写入设备，并逐项校验", "was von FILE abweicht, ins Gerät schreiben und jeden Eintrag prüfen"),
    "poll the addresses with command 0 and list every device that answers": ("用命令 0 轮询各地址并列出每台应答的设备", "die Adressen mit Kommando 0 abfragen und jedes antwortende Gerät auflisten"),
    "The option --port needs a port name.": ("选项 --port 需要一个串口名称。", "Die Option --port braucht einen Schnittstellennamen."),
    "The option --capture needs a file name.": ("选项 --capture 需要一个文件名。", "Die Option --capture braucht einen Dateinamen."),
    "The option --backup-dir needs a folder.": ("选项 --backup-dir 需要一个文件夹。", "Die Option --backup-dir braucht einen Ordner."),
    "The option --address needs a polling address from 0 to 15.": ("选项 --address 需要 0 到 15 的轮询地址。", "Die Option --address braucht eine Abfrageadresse von 0 bis 15."),
    "The polling address '%1' is not a number from 0 to 15.": ("轮询地址“%1”不是 0 到 15 之间的数字。", "Die Abfrageadresse '%1' ist keine Zahl von 0 bis 15."),
    "The option --addresses needs a range such as 0-15.": ("选项 --addresses 需要一个范围，例如 0-15。", "Die Option --addresses braucht einen Bereich wie 0-15."),
    "The option %1 needs a file name.": ("选项 %1 需要一个文件名。", "Die Option %1 braucht einen Dateinamen."),
    "Unknown option %1.": ("未知选项 %1。", "Unbekannte Option %1."),
    "No command given: say read, diff, write or scan.": ("未给出命令：请指定 read、diff、write 或 scan。", "Kein Befehl angegeben: read, diff, write oder scan angeben."),
    "Unknown command '%1'.": ("未知命令“%1”。", "Unbekannter Befehl '%1'."),
    "The option %1 does not apply to %2.": ("选项 %1 不适用于 %2。", "Die Option %1 gilt nicht für %2."),
    "Usage: %1 %2": ("用法：%1 %2", "Aufruf: %1 %2"),
    "Give either --port or --simulate, not both.": ("请给出 --port 或 --simulate，不能同时给出。", "Entweder --port oder --simulate angeben, nicht beides."),
    "Usage: %1 COMMAND [FILE...] [OPTIONS]\n\n": ("用法：%1 COMMAND [FILE...] [OPTIONS]\n\n", "Aufruf: %1 COMMAND [FILE...] [OPTIONS]\n\n"),
    "Reads, compares and clones the configuration of a MODBUS-HART converter.\n\nCommands:\n":
        ("读取、比较和克隆 MODBUS-HART 转换器的配置。\n\n命令：\n", "Liest, vergleicht und kopiert die Konfiguration eines MODBUS-HART-Umsetzers.\n\nBefehle:\n"),
    HELP_EN: (HELP_ZH, HELP_DE),
    # ---- command line: reports ----
    "an unidentified device": ("一台未识别的设备", "ein nicht identifiziertes Gerät"),
    "manufacturer %1, device type %2, serial number %3 at polling address %4": ("制造商 %1，设备类型 %2，序列号 %3，轮询地址 %4", "Hersteller %1, Gerätetyp %2, Seriennummer %3 an Abfrageadresse %4"),
    "%1 of %2 requests had to be sent again.": ("%2 个请求中有 %1 个需要重发。", "%1 von %2 Anfragen mussten wiederholt werden."),
    "Reading the device failed: %1": ("读取设备失败：%1", "Lesen des Geräts fehlgeschlagen: %1"),
    "could not be read from the %1 (%2)": ("无法从%1读取（%2）", "konnte nicht aus %1 gelesen werden (%2)"),
    " (identity item, compared only with --with-identity)": ("（标识项，仅在使用 --with-identity 时比较）", " (Identitätseintrag, nur mit --with-identity verglichen)"),
    "The %1 and the %2 are equal.": ("%1与%2相同。", "%1 und %2 sind gleich."),
    "%1 item differs between the %2 and the %3.": ("%2与%3之间有 %1 项不同。", "%1 Eintrag unterscheidet sich zwischen %2 und %3."),
    "%1 items differ between the %2 and the %3.": ("%2与%3之间有 %1 项不同。", "%1 Einträge unterscheiden sich zwischen %2 und %3."),
    "Give the port with --port NAME, or --simulate for the simulated converter.": ("请用 --port NAME 指定串口，或用 --simulate 使用模拟转换器。", "Die Schnittstelle mit --port NAME angeben, oder --simulate für den simulierten Umsetzer."),
    "Standard output could not be written: %1.": ("无法写入标准输出：%1。", "Die Standardausgabe konnte nicht geschrieben werden: %1."),
    "Standard output could not be written.": ("无法写入标准输出。", "Die Standardausgabe konnte nicht geschrieben werden."),
    "Read %1 items from %2": ("已从%2读取 %1 项", "%1 Einträge gelesen von %2"),
    "%1; saved to %2.": ("%1；已保存到 %2。", "%1; gespeichert in %2."),
    "first file": ("第一个文件", "erste Datei"),
    "second file": ("第二个文件", "zweite Datei"),
    "device": ("设备", "Gerät"),
    "file": ("文件", "Datei"),
    "Cannot create the backup folder %1.": ("无法创建备份文件夹 %1。", "Der Sicherungsordner %1 kann nicht angelegt werden."),
    "%1 item was already equal.": ("%1 项原本已相同。", "%1 Eintrag war bereits gleich."),
    "%1 items were already equal.": ("%1 项原本已相同。", "%1 Einträge waren bereits gleich."),
    "Give --force to write it anyway.": ("如仍要写入，请加 --force。", "Mit --force wird trotzdem geschrieben."),
    "Try '%1 --help'.": ("请尝试“%1 --help”。", "Siehe '%1 --help'."),
    "The address range '%1' is not FIRST-LAST within 0-63.": ("地址范围“%1”不是 0-63 之内的 FIRST-LAST 形式。", "Der Adressbereich '%1' ist nicht FIRST-LAST innerhalb 0-63."),
    "%1/%2 addresses": ("%1/%2 个地址", "%1/%2 Adressen"),
    "The scan stopped: %1": ("扫描已停止：%1", "Die Suche wurde gestoppt: %1"),
    "No device answered at addresses %1 to %2.": ("地址 %1 到 %2 均无设备应答。", "Kein Gerät hat an den Adressen %1 bis %2 geantwortet."),
    "address %1: manufacturer %2 (0x%3), device type %4 (0x%5), unique id %6 (0x%7), HART %8, %9 preambles":
        ("地址 %1：制造商 %2 (0x%3)，设备类型 %4 (0x%5)，唯一标识 %6 (0x%7)，HART %8，%9 个前导码",
         "Adresse %1: Hersteller %2 (0x%3), Gerätetyp %4 (0x%5), eindeutige Kennung %6 (0x%7), HART %8, %9 Präambeln"),
    # ---- config: outcomes ----
    "read": ("已读取", "gelesen"),
    "could not be read": ("无法读取", "nicht lesbar"),
    "already equal": ("已相同", "bereits gleich"),
    "would be written": ("将被写入", "würde geschrieben"),
    "written and verified": ("已写入并校验", "geschrieben und geprüft"),
    "failed": ("失败", "fehlgeschlagen"),
    "not attempted": ("未尝试", "nicht versucht"),
    "not written": ("未写入", "nicht geschrieben"),
    "written, not verified (the device may have taken the value)": ("已写入，未校验（设备可能已接受该值）", "geschrieben, nicht geprüft (das Gerät hat den Wert möglicherweise übernommen)"),
    "The device's configuration before writing was saved to %1.": ("写入前的设备配置已保存到 %1。", "Die Konfiguration des Geräts vor dem Schreiben wurde in %1 gespeichert."),
    "%1 requests had to be sent again.": ("有 %1 个请求需要重发。", "%1 Anfragen mussten wiederholt werden."),
    "Device: ": ("设备：", "Gerät: "),
    'tag "%1", ': ("位号“%1”，", 'Tag "%1", '),
    "tag not read, ": ("位号未读取，", "Tag nicht gelesen, "),
    "polling address %1, unique identifier %2": ("轮询地址 %1，唯一标识符 %2", "Abfrageadresse %1, eindeutige Kennung %2"),
    "not identified": ("未识别", "nicht identifiziert"),
    "(not read)": ("（未读取）", "(nicht gelesen)"),
    "item": ("项", "Eintrag"),
    "items": ("项", "Einträge"),
    "item would be written": ("项将被写入", "Eintrag würde geschrieben"),
    "items would be written": ("项将被写入", "Einträge würden geschrieben"),
    "item written and verified": ("项已写入并校验", "Eintrag geschrieben und geprüft"),
    "items written and verified": ("项已写入并校验", "Einträge geschrieben und geprüft"),
    "Nothing was written: another device now answers at polling address %1 (unique identifier %2, read and shown was %3).":
        ("未写入任何内容：轮询地址 %1 现在由另一台设备应答（唯一标识符 %2，读取并显示的是 %3）。",
         "Nichts geschrieben: an Abfrageadresse %1 antwortet jetzt ein anderes Gerät (eindeutige Kennung %2, gelesen und angezeigt wurde %3)."),
    "Nothing was written: the device no longer answers (%1).": ("未写入任何内容：设备不再应答（%1）。", "Nichts geschrieben: das Gerät antwortet nicht mehr (%1)."),
    "The file was not written: no directory for the backup was given.": ("文件未写入：未指定备份目录。", "Die Datei wurde nicht geschrieben: kein Ordner für die Sicherung angegeben."),
    "Cancelled after writing part of the file.": ("已在写入文件的一部分后取消。", "Abgebrochen, nachdem ein Teil der Datei geschrieben war."),
    "Cancelled; nothing was written.": ("已取消；未写入任何内容。", "Abgebrochen; nichts geschrieben."),
    "No device answered at polling address %1: %2.": ("轮询地址 %1 无设备应答：%2。", "An Abfrageadresse %1 hat kein Gerät geantwortet: %2."),
    "the identify answer is too short": ("识别应答过短", "die Identifikationsantwort ist zu kurz"),
    "the answer is too short": ("应答过短", "die Antwort ist zu kurz"),
    "Nothing was written: the device's %1 could not be read first (%2).": ("未写入任何内容：无法先读取设备的 %1（%2）。", "Nichts geschrieben: %1 des Geräts konnte vorher nicht gelesen werden (%2)."),
    "Read %1.": ("已读取 %1。", "%1 gelesen."),
    "Read %1; %2: %3.": ("已读取 %1；%2：%3。", "%1 gelesen; %2: %3."),
    "Nothing was written: the file names no device type (force to write it anyway).": ("未写入任何内容：文件未注明设备类型（可强制写入）。", "Nichts geschrieben: die Datei nennt keinen Gerätetyp (mit Erzwingen trotzdem schreiben)."),
    "Nothing was written: the device is manufacturer %1, device type %2, the file is for manufacturer %3, device type %4 (force to write it anyway).":
        ("未写入任何内容：设备为制造商 %1、设备类型 %2，文件适用于制造商 %3、设备类型 %4（可强制写入）。",
         "Nichts geschrieben: das Gerät ist Hersteller %1, Gerätetyp %2, die Datei gilt für Hersteller %3, Gerätetyp %4 (mit Erzwingen trotzdem schreiben)."),
    "Nothing was written: the file's sensor serial number %1 is not this device's (%2); the converter uses it as its unique identifier, so two devices would share one.":
        ("未写入任何内容：文件中的传感器序列号 %1 不是本设备的（%2）；转换器将其用作唯一标识符，两台设备将会共用同一个。",
         "Nichts geschrieben: die Sensor-Seriennummer %1 der Datei ist nicht die dieses Geräts (%2); der Umsetzer nutzt sie als eindeutige Kennung, zwei Geräte hätten dieselbe."),
    'The file was not written: item "%1": %2.': ("文件未写入：项“%1”：%2。", 'Die Datei wurde nicht geschrieben: Eintrag "%1": %2.'),
    "identity item, not asked for": ("标识项，未要求", "Identitätseintrag, nicht verlangt"),
    "Nothing would be written: the device already matches.": ("不会写入任何内容：设备已一致。", "Nichts würde geschrieben: das Gerät stimmt bereits überein."),
    "%1; nothing was sent.": ("%1；未发送任何内容。", "%1; nichts gesendet."),
    "Nothing to write: the device already matches.": ("无需写入：设备已一致。", "Nichts zu schreiben: das Gerät stimmt bereits überein."),
    "the backup could not be saved: %1": ("备份无法保存：%1", "die Sicherung konnte nicht gespeichert werden: %1"),
    "the backup does not read back: %1": ("备份无法读回：%1", "die Sicherung lässt sich nicht zurücklesen: %1"),
    "the backup %1 does not read back as what was read": ("备份 %1 读回的内容与读取的不一致", "die Sicherung %1 liest sich nicht als das Gelesene zurück"),
    "Nothing was written: %1.": ("未写入任何内容：%1。", "Nichts geschrieben: %1."),
    "Stopped at %1: %2. %3, %4.": ("在 %1 处停止：%2。%3，%4。", "Angehalten bei %1: %2. %3, %4."),
    "Wrote %1, each read back equal.": ("已写入 %1，每项读回均一致。", "%1 geschrieben, jeder gleich zurückgelesen."),
    "cancelled before the answer; the device may have taken the value": ("在应答前取消；设备可能已接受该值", "vor der Antwort abgebrochen; das Gerät hat den Wert möglicherweise übernommen"),
    "%1; the device may have taken the value": ("%1；设备可能已接受该值", "%1; das Gerät hat den Wert möglicherweise übernommen"),
    "written, but the device did not answer the identify afterwards (%1)": ("已写入，但设备随后未应答识别命令（%1）", "geschrieben, aber das Gerät hat danach die Identifikation nicht beantwortet (%1)"),
    "written, but reading it back failed (%1)": ("已写入，但读回失败（%1）", "geschrieben, aber das Zurücklesen ist fehlgeschlagen (%1)"),
    "read back %1, meant %2": ("读回为 %1，应为 %2", "zurückgelesen %1, gemeint %2"),
    "equal": ("相同", "gleich"),
    "different": ("不同", "verschieden"),
    "only in %1": ("仅在%1中", "nur in %1"),
    "in neither": ("两者均无", "in keinem"),
    # ---- config: the file ----
    "identity: not an object": ("identity：不是对象", "identity: kein Objekt"),
    'identity: unknown key "%1"': ("identity：未知键“%1”", 'identity: unbekannter Schlüssel "%1"'),
    "identity: expandedDeviceType: not true or false": ("identity：expandedDeviceType：不是 true 或 false", "identity: expandedDeviceType: nicht true oder false"),
    "identity: %1: missing or not a whole number in 0..%2": ("identity：%1：缺失或不是 0..%2 的整数", "identity: %1: fehlt oder keine ganze Zahl in 0..%2"),
    "not valid JSON: %1 at offset %2": ("不是有效的 JSON：%1，位于偏移 %2", "kein gültiges JSON: %1 bei Offset %2"),
    "not a configuration file: the JSON is not an object": ("不是配置文件：JSON 不是对象", "keine Konfigurationsdatei: das JSON ist kein Objekt"),
    'the key "%1" stands twice': ("键“%1”出现了两次", 'der Schlüssel "%1" steht zweimal'),
    'not a configuration file: format is not "%1"': ("不是配置文件：格式不是“%1”", 'keine Konfigurationsdatei: Format ist nicht "%1"'),
    "unknown format version": ("未知的格式版本", "unbekannte Formatversion"),
    "made by a newer program: format version %1, this program reads up to %2": ("由较新的程序生成：格式版本 %1，本程序最多读取 %2", "von einem neueren Programm erstellt: Formatversion %1, dieses Programm liest bis %2"),
    "items: missing or not an object": ("items：缺失或不是对象", "items: fehlt oder kein Objekt"),
    'unknown item "%1"': ("未知项“%1”", 'unbekannter Eintrag "%1"'),
    'item "%1": %2': ("项“%1”：%2", 'Eintrag "%1": %2'),
    "%1: not saved: %2": ("%1：未保存：%2", "%1: nicht gespeichert: %2"),
    # ---- hart: response codes and device status ----
    ", ": ("，", ", "),
    "OK": ("正常", "OK"),
    "Success": ("成功", "Erfolg"),
    "Undefined": ("未定义", "Nicht definiert"),
    "Invalid selection": ("无效选择", "Ungültige Auswahl"),
    "Passed parameter too large": ("传入参数过大", "Übergebener Parameter zu groß"),
    "Passed parameter too small": ("传入参数过小", "Übergebener Parameter zu klein"),
    "Too few data bytes received": ("接收的数据字节过少", "Zu wenige Datenbytes empfangen"),
    "Device-specific command error": ("设备专用命令错误", "Fehler im gerätespezifischen Kommando"),
    "In write protect mode": ("处于写保护模式", "Im Schreibschutzmodus"),
    "Access restricted": ("访问受限", "Zugriff eingeschränkt"),
    "Invalid device variable index": ("无效的设备变量索引", "Ungültiger Gerätevariablen-Index"),
    "Invalid units code": ("无效的单位代码", "Ungültiger Einheitencode"),
    "Device variable index not allowed": ("不允许的设备变量索引", "Gerätevariablen-Index nicht zulässig"),
    "Invalid extended command number": ("无效的扩展命令号", "Ungültige erweiterte Kommandonummer"),
    "Busy": ("设备忙", "Beschäftigt"),
    "Delayed response initiated": ("延迟响应已启动", "Verzögerte Antwort eingeleitet"),
    "Delayed response running": ("延迟响应进行中", "Verzögerte Antwort läuft"),
    "Delayed response dead": ("延迟响应已失效", "Verzögerte Antwort abgebrochen"),
    "Delayed response conflict": ("延迟响应冲突", "Konflikt bei verzögerter Antwort"),
    "Command not implemented": ("命令未实现", "Kommando nicht implementiert"),
    "Command-specific error": ("命令专用错误", "Kommandospezifischer Fehler"),
    "Command-specific warning": ("命令专用警告", "Kommandospezifische Warnung"),
    "the device answered: %1 (response code %2)": ("设备应答：%1（响应码 %2）", "das Gerät antwortete: %1 (Antwortcode %2)"),
    "Field device malfunction": ("现场设备故障", "Feldgerät gestört"),
    "Configuration changed": ("组态已更改", "Konfiguration geändert"),
    "Cold start": ("冷启动", "Kaltstart"),
    "More status available": ("有更多状态信息", "Weiterer Status verfügbar"),
    "Loop current fixed": ("回路电流已固定", "Schleifenstrom fest"),
    "Loop current saturated": ("回路电流饱和", "Schleifenstrom gesättigt"),
    "Non-primary variable out of limits": ("非主变量超限", "Nicht-Primärvariable außerhalb der Grenzen"),
    "Primary variable out of limits": ("主变量超限", "Primärvariable außerhalb der Grenzen"),
    # ---- converter lists (the Chinese of the original lists; German) ----
    "Data eeore!": ("数据错误！", "Datenfehler!"),
    "NO SPACK": ("缺少空格", "KEIN LEERZEICHEN"),
    "0-Close": ("0-关闭", "0-Aus"),
    "1-Open": ("1-打开", "1-Ein"),
    "1-Instruction 1": ("1-指令 1", "1-Befehl 1"),
    "2-Instruction 2": ("2-指令 2", "2-Befehl 2"),
    "3-Instruction 3": ("3-指令 3", "3-Befehl 3"),
    "4-Instruction 4": ("4-指令 4", "4-Befehl 4"),
    "0-Float（4321）": ("0-浮点数（4321）", "0-Float (4321)"),
    "1-Float（2143）": ("1-浮点数（2143）", "1-Float (2143)"),
    "2-Float（1234）": ("2-浮点数（1234）", "2-Float (1234)"),
    "3-Unsigned int(4321)": ("3-无符号整数（4321）", "3-Integer ohne Vorzeichen (4321)"),
    "4-Unsigned int(2143)": ("4-无符号整数（2143）", "4-Integer ohne Vorzeichen (2143)"),
    "5-Unsigned int(1234)": ("5-无符号整数（1234）", "5-Integer ohne Vorzeichen (1234)"),
    "6-Signed int(4321)": ("6-有符号整数（4321）", "6-Integer mit Vorzeichen (4321)"),
    "7-Signed int(2143)": ("7-有符号整数（2143）", "7-Integer mit Vorzeichen (2143)"),
    "8-Signed int": ("8-有符号整数", "8-Integer mit Vorzeichen"),
    "9-Signed int(invert)": ("9-有符号整数（取反）", "9-Integer mit Vorzeichen (invertiert)"),
    "10-Signed int(not inverted)": ("10-有符号整数（不取反）", "10-Integer mit Vorzeichen (nicht invertiert)"),
    "11-BCD(high low order)": ("11-BCD 码（高位在前）", "11-BCD (High vor Low)"),
    "12-BCD(low high order)": ("12-BCD 码（低位在前）", "12-BCD (Low vor High)"),
    "13-Character string(high low order)": ("13-字符串（高位在前）", "13-Zeichenkette (High vor Low)"),
    "14-Character string(low high order)": ("14-字符串（低位在前）", "14-Zeichenkette (Low vor High)"),
    "15-Double(high low order)": ("15-双精度（高位在前）", "15-Double (High vor Low)"),
    "16-Double(low high order）": ("16-双精度（低位在前）", "16-Double (Low vor High)"),
    "17-BCD(low high order-0X33)": ("17-BCD 码（低位在前-0X33）", "17-BCD (Low vor High, -0X33)"),
    "18-Integer(bits 0,1 are positive, others are negative)": ("18-整数（0、1 位为正，其余为负）", "18-Integer (Bits 0,1 positiv, sonst negativ)"),
    "19-Octet integer(Four bits higher*coefficient+low four)": ("19-八位整数（高四位*系数+低四位）", "19-Oktett-Integer (obere 4 Bits*Faktor+untere 4)"),
    "20-Octet integer(Four bits lower*coefficient+high four)": ("20-八位整数（低四位*系数+高四位）", "20-Oktett-Integer (untere 4 Bits*Faktor+obere 4)"),
    "21-Raw data": ("21-原始数据", "21-Rohdaten"),
    "22-Arrange in byte order from low to high": ("22-按字节从低到高排列", "22-Bytefolge von Low nach High"),
    "23-Arrange in byte order from high to low": ("23-按字节从高到低排列", "23-Bytefolge von High nach Low"),
    "24-Four digit unsigned integer (4321)+exponent": ("24-四位无符号整数（4321）+指数", "24-4-stelliger Integer o. Vz. (4321)+Exponent"),
    "25-Four digit unsigned integer (2143)+exponent": ("25-四位无符号整数（2143）+指数", "25-4-stelliger Integer o. Vz. (2143)+Exponent"),
    "26-Positioning status": ("26-定位状态", "26-Stellungsstatus"),
    "None": ("无", "Keine"),
    "Odd": ("奇校验", "Ungerade"),
    "Even": ("偶校验", "Gerade"),
    "1_AD1(analog)": ("1_AD1（模拟量）", "1_AD1 (analog)"),
    "2_AD2(analog)": ("2_AD2（模拟量）", "2_AD2 (analog)"),
    "3_AD3(RS485 direct reading)": ("3_AD3（RS485 直读）", "3_AD3 (RS485 direkt)"),
    "4_AD4(RS485 direct reading)": ("4_AD4（RS485 直读）", "4_AD4 (RS485 direkt)"),
    "5_AD5(RS485 direct reading)": ("5_AD5（RS485 直读）", "5_AD5 (RS485 direkt)"),
    "6_AD6(RS485 direct reading)": ("6_AD6（RS485 直读）", "6_AD6 (RS485 direkt)"),
    "7_AD3(analog)": ("7_AD3（模拟量）", "7_AD3 (analog)"),
    "8_AD4(analog)": ("8_AD4（模拟量）", "8_AD4 (analog)"),
    # ---- device ----
    "longer than 32 bytes": ("超过 32 字节", "länger als 32 Bytes"),
    "a zero byte would end it early": ("零字节会使其提前结束", "ein Nullbyte würde ihn vorzeitig beenden"),
    "holds a control character (%1)": ("含有控制字符（%1）", "enthält ein Steuerzeichen (%1)"),
    "The port failed; live values stopped.": ("串口故障；实时值已停止。", "Die Schnittstelle ist ausgefallen; Live-Werte gestoppt."),
    "%1 samples": ("%1 个采样", "%1 Messwerte"),
    ", %1/s": ("，%1/秒", ", %1/s"),
    "; no answer since %1 (%2, %3 in a row)": ("；自 %1 起无应答（%2，连续 %3 次）", "; keine Antwort seit %1 (%2, %3 in Folge)"),
    # ---- hart: the transfer status ----
    "Write failed!": ("写入失败！", "Schreiben fehlgeschlagen!"),
    "Write successful!": ("写入成功！", "Schreiben erfolgreich!"),
    "Write failed!The instruction is not defined!": ("写入失败！指令未定义！", "Schreiben fehlgeschlagen! Befehl nicht definiert!"),
    "Write failed!The parameter value is too small!": ("写入失败！参数值过小！", "Schreiben fehlgeschlagen! Parameterwert zu klein!"),
    "Write failed!Setting parameters too small!": ("写入失败！设置参数过小！", "Schreiben fehlgeschlagen! Einstellwert zu klein!"),
    "Write failed!Received less data!": ("写入失败！接收数据过少！", "Schreiben fehlgeschlagen! Zu wenig Daten empfangen!"),
    "Write failed!Sending command error!": ("写入失败！发送命令错误！", "Schreiben fehlgeschlagen! Fehler beim Senden des Befehls!"),
    "Write failed!Write protect!": ("写入失败！写保护！", "Schreiben fehlgeschlagen! Schreibschutz!"),
    "Write failed!Setting parameters may have value!": ("写入失败！设置参数可能有值！", "Schreiben fehlgeschlagen! Einstellwert ggf. vorhanden!"),
    "Write failed!Setting parameters may not be useful!": ("写入失败！设置参数可能无效！", "Schreiben fehlgeschlagen! Einstellwert ggf. unwirksam!"),
    "Write failed!Channel restricted!": ("写入失败！通道受限！", "Schreiben fehlgeschlagen! Kanal eingeschränkt!"),
    "upload successful!": ("上传成功！", "Lesen erfolgreich!"),
    "upload failed!": ("上传失败！", "Lesen fehlgeschlagen!"),
    "Upload data timeout!": ("上传数据超时！", "Zeitüberschreitung beim Lesen!"),
    "Writing data timeout!": ("写入数据超时！", "Zeitüberschreitung beim Schreiben!"),
    "Uploading..!": ("正在上传..！", "Wird gelesen..!"),
    "Uploading...!": ("正在上传...！", "Wird gelesen...!"),
    "Please wait, it is currently being downloaded....": ("请稍候，正在下载....", "Bitte warten, wird geschrieben...."),
    "Please wait, it is currently being downloaded.....": ("请稍候，正在下载.....", "Bitte warten, wird geschrieben....."),
    "answered": ("已应答", "beantwortet"),
    "no answer": ("无应答", "keine Antwort"),
    "device busy": ("设备忙", "Gerät beschäftigt"),
    "the port failed": ("串口故障", "die Schnittstelle ist ausgefallen"),
    "cancelled": ("已取消", "abgebrochen"),
    "unknown failure": ("未知故障", "unbekannter Fehler"),
    # ---- the Configuration File page ----
    "Instrument Information": ("仪表信息", "Geräteinformation"),
    "Tag, Descriptor, Date Of Production": ("位号、描述符、生产日期", "Tag, Beschreibung, Herstelldatum"),
    "Assembly Number": ("装配号", "Baugruppennr."),
    "LTAG": ("长位号", "Langer Tag"),
    "Instrument Command 1": ("仪表指令 1", "Gerätebefehl 1"),
    "Instrument Command 2": ("仪表指令 2", "Gerätebefehl 2"),
    "Instrument Command 3": ("仪表指令 3", "Gerätebefehl 3"),
    "Instrument Command 4": ("仪表指令 4", "Gerätebefehl 4"),
    "Analog Configuration AD1": ("模拟量配置 AD1", "Analogeingang AD1"),
    "Analog Configuration AD2": ("模拟量配置 AD2", "Analogeingang AD2"),
    "Analog Configuration AD3": ("模拟量配置 AD3", "Analogeingang AD3"),
    "Analog Configuration AD4": ("模拟量配置 AD4", "Analogeingang AD4"),
    "Sensor Serial Number": ("传感器序列号", "Sensor-Seriennr."),
    "Address Modification": ("修改地址", "Adresse ändern"),
    "Tag": ("位号", "Messstellen-Tag"),
    "Descriptor": ("描述符", "Beschreibung"),
    "OUT  DC20mA": ("OUT  DC20mA", "OUT  DC20mA"),
    "OUT  DC4mA": ("OUT  DC4mA", "OUT  DC4mA"),
    "Unit": ("单位", "Einheit"),
    "Enable": ("启用", "Aktiv"),
    "Command Code": ("指令代码", "Befehlscode"),
    "Return Byte 1": ("返回字节 1", "Antwortbyte 1"),
    "Byte 2": ("字节 2", "Byte 2"),
    "Baud Rate": ("波特率", "Baudrate"),
    "Parity Bit": ("校验位", "Parität"),
    "Communication Interval Time": ("通信间隔时间", "Abfrageintervall"),
    "Sensor Type": ("传感器类型", "Sensortyp"),
    "Manufacturing ID": ("制造商 ID", "Hersteller-ID"),
    "RS485 AD3 Value": ("RS485 AD3 值", "RS485 AD3-Wert"),
    "RS485 AD4 Value": ("RS485 AD4 值", "RS485 AD4-Wert"),
    "RS485 AD5 Value": ("RS485 AD5 值", "RS485 AD5-Wert"),
    "RS485 AD6 Value": ("RS485 AD6 值", "RS485 AD6-Wert"),
    "Serial Number": ("序列号", "Seriennummer"),
    "Variable 1": ("变量 1", "Variable 1"),
    "Variable 2": ("变量 2", "Variable 2"),
    "Variable 3": ("变量 3", "Variable 3"),
    "Variable 4": ("变量 4", "Variable 4"),
    "Read from Device": ("从设备读取", "Vom Gerät lesen"),
    "Open File...": ("打开文件...", "Datei öffnen..."),
    "Save File...": ("保存文件...", "Datei speichern..."),
    "Compare": ("比较", "Vergleichen"),
    "Write to Device": ("写入设备", "In Gerät schreiben"),
    "Write identity items too": ("同时写入标识项", "Auch Identitätseinträge schreiben"),
    "File: (none)": ("文件：（无）", "Datei: (keine)"),
    "Item": ("项目", "Eintrag"),
    "Device": ("设备", "Gerät"),
    "File": ("文件", "Datei"),
    "State": ("状态", "Zustand"),
    "Selected item": ("所选项目", "Gewählter Eintrag"),
    " (identity)": ("（标识）", " (Identität)"),
    "could not be read: ": ("无法读取：", "nicht lesbar: "),
    "Select a row to see its item whole.": ("选择一行即可查看该项目的完整内容。", "Eine Zeile wählen, um den Eintrag ganz zu sehen."),
    "file key: %1": ("文件键：%1", "Dateischlüssel: %1"),
    "Device: could not be read: %1": ("设备：无法读取：%1", "Gerät: nicht lesbar: %1"),
    "Not read from the device and not in a file.": ("未从设备读取，也不在文件中。", "Weder vom Gerät gelesen noch in einer Datei."),
    "Cannot create the backup folder ": ("无法创建备份文件夹 ", "Der Sicherungsordner kann nicht angelegt werden: "),
    "Writing to the device...": ("正在写入设备...", "Schreibe in das Gerät..."),
    "Reading the device...": ("正在读取设备...", "Lese das Gerät..."),
    "Waiting for the write to be confirmed...": ("正在等待确认写入...", "Warte auf die Bestätigung zum Schreiben..."),
    "identifying the device": ("正在识别设备", "Gerät wird identifiziert"),
    "Writing: %1 of %2 items": ("写入：第 %1 项，共 %2 项", "Schreiben: %1 von %2 Einträgen"),
    "Reading: %1 of %2 items": ("读取：第 %1 项，共 %2 项", "Lesen: %1 von %2 Einträgen"),
    "\n\nWrite the identity items anyway?": ("\n\n仍然写入标识项吗？", "\n\nDie Identitätseinträge trotzdem schreiben?"),
    " (%1 of %2 requests sent again)": ("（%2 个请求中有 %1 个重发）", " (%1 von %2 Anfragen erneut gesendet)"),
    "Backup of the device before writing: ": ("写入前的设备备份：", "Sicherung des Geräts vor dem Schreiben: "),
    "The device and the file are equal.": ("设备与文件相同。", "Gerät und Datei sind gleich."),
    "The device and the file are equal but for %1 identity item(s), written only with \"Write identity items too\".":
        ("设备与文件相同，但有 %1 个标识项不同，只有勾选“同时写入标识项”时才写入。",
         "Gerät und Datei sind gleich bis auf %1 Identitätseintrag/-einträge, die nur mit „Auch Identitätseinträge schreiben“ geschrieben werden."),
    "%1 item(s) differ between the device and the file.": ("设备与文件之间有 %1 项不同。", "%1 Eintrag/Einträge unterscheiden sich zwischen Gerät und Datei."),
    "%1 identity item(s) differ too, written only with \"Write identity items too\".":
        ("另有 %1 个标识项不同，只有勾选“同时写入标识项”时才写入。",
         "Auch %1 Identitätseintrag/-einträge unterscheiden sich; sie werden nur mit „Auch Identitätseinträge schreiben“ geschrieben."),
    "File: ": ("文件：", "Datei: "),
    "Opened ": ("已打开 ", "Geöffnet: "),
    "%1 already exists.\nDo you want to replace it?": ("%1 已存在。\n要替换它吗？", "%1 existiert bereits.\nSoll die Datei ersetzt werden?"),
    "Saved the device's configuration to ": ("设备配置已保存到 ", "Konfiguration des Geräts gespeichert in "),
    "These items will be written (device value -> file value):": ("将写入以下项目（设备值 -> 文件值）：", "Diese Einträge werden geschrieben (Gerätewert -> Dateiwert):"),
    "Items to write": ("要写入的项目", "Zu schreibende Einträge"),
    "Write": ("写入", "Schreiben"),
    "Save Configuration": ("保存配置", "Konfiguration speichern"),
    "Open Configuration": ("打开配置", "Konfiguration öffnen"),
    "Configuration files (*.json);;All files (*)": ("配置文件 (*.json);;所有文件 (*)", "Konfigurationsdateien (*.json);;Alle Dateien (*)"),
    "Write Identity": ("写入标识", "Identität schreiben"),
    "Config File": ("配置文件", "Konfig.-Datei"),
    "Line: configuration batch": ("线路：配置批处理", "Leitung: Konfiguration"),
    "Line: scan": ("线路：扫描", "Leitung: Suche"),
    "Line: live values": ("线路：实时值", "Leitung: Live-Werte"),
    "Configuration File": ("配置文件", "Konfigurationsdatei"),
    # ---- commissioning: loop test, report, history ----
    "step the loop current through the points (command 40), then release it": ("按各测试点逐步设定回路电流（指令 40），然后释放", "den Schleifenstrom durch die Punkte führen (Befehl 40) und dann freigeben"),
    "write a commissioning report of the device, or of CONFIG": ("生成设备（或 CONFIG 文件）的调试报告", "einen Inbetriebnahmebericht des Geräts oder von CONFIG schreiben"),
    "list the writes to devices, oldest first": ("列出对设备的写入记录，最早的在前", "die Schreibvorgänge an Geräte auflisten, älteste zuerst"),
    "The option %1 needs a value.": ("选项 %1 需要一个值。", "Die Option %1 braucht einen Wert."),
    "The option --hold needs a number of seconds from 0 to 3600.": ("选项 --hold 需要 0 到 3600 之间的秒数。", "Die Option --hold braucht eine Sekundenzahl von 0 bis 3600."),
    "No command given: say read, diff, write, scan, loop-test, report or history.": ("未给出命令：请指定 read、diff、write、scan、loop-test、report 或 history。", "Kein Befehl angegeben: read, diff, write, scan, loop-test, report oder history angeben."),
    "Give either --file or a device (--port or --simulate), not both.": ("请给出 --file 或设备（--port 或 --simulate），不能同时给出。", "Entweder --file oder ein Gerät (--port oder --simulate) angeben, nicht beides."),
    "\nCommissioning options:\n  --points LIST    loop-test: the currents in mA (default 4,8,12,16,20)\n  --hold SECONDS   loop-test: how long each point is held (default 5)\n  --yes            loop-test: no question before the loop current is fixed\n  --file CONFIG    report: the values of a configuration file, not of a device\n  --operator NAME  report: the name on the report\n  -o FILE          report: FILE.pdf or FILE.html (default report-TAG-DATE.pdf)\n  --device ID      history: only the device with this unique identifier\n  --since DATE     history: only the writes from DATE (YYYY-MM-DD) on\n  --json           history: the records as JSON Lines\nloop-test: 0 every point done and the loop released, 1 a point or the release\nfailed or the test was stopped, 2 refused before anything was changed.\nThe loop test and the writes of write are kept in the history (the data folder's\nmodbus-hart/history.jsonl).\n":
        ("\n调试选项：\n  --points LIST    loop-test：各测试点的电流，单位 mA（默认 4,8,12,16,20）\n  --hold SECONDS   loop-test：每个测试点保持的时间（默认 5 秒）\n  --yes            loop-test：固定回路电流前不再询问\n  --file CONFIG    report：使用配置文件中的值，而不是设备中的值\n  --operator NAME  report：报告上的操作员姓名\n  -o FILE          report：FILE.pdf 或 FILE.html（默认 report-位号-日期.pdf）\n  --device ID      history：只列出具有该唯一标识符的设备\n  --since DATE     history：只列出自 DATE（YYYY-MM-DD）起的写入\n  --json           history：以 JSON Lines 格式输出记录\nloop-test：0 所有测试点完成且回路已释放，1 某个测试点或释放失败，或测试被中止，\n2 在更改任何内容之前被拒绝。\n回路测试和 write 的写入记录保存在历史中（数据文件夹中的\nmodbus-hart/history.jsonl）。\n",
         "\nOptionen zur Inbetriebnahme:\n  --points LIST    loop-test: die Ströme in mA (Vorgabe 4,8,12,16,20)\n  --hold SECONDS   loop-test: wie lange jeder Punkt gehalten wird (Vorgabe 5)\n  --yes            loop-test: keine Rückfrage, bevor der Schleifenstrom fest wird\n  --file CONFIG    report: die Werte einer Konfigurationsdatei statt eines Geräts\n  --operator NAME  report: der Name auf dem Bericht\n  -o FILE          report: FILE.pdf oder FILE.html (Vorgabe report-TAG-DATUM.pdf)\n  --device ID      history: nur das Gerät mit dieser eindeutigen Kennung\n  --since DATE     history: nur Schreibvorgänge ab DATE (JJJJ-MM-TT)\n  --json           history: die Einträge als JSON Lines\nloop-test: 0 alle Punkte erledigt und die Schleife freigegeben, 1 ein Punkt oder die\nFreigabe fehlgeschlagen oder der Test abgebrochen, 2 abgelehnt, bevor etwas geändert wurde.\nDer Schleifentest und die Schreibvorgänge von write stehen in der Historie (im\nDatenordner unter modbus-hart/history.jsonl).\n"),
    "The history did not keep this write: %1": ("历史记录未能保存此次写入：%1", "Die Historie hat diesen Schreibvorgang nicht festgehalten: %1"),
    "The loop current will be fixed at each point and will not follow the process. Put the control loop in manual first.\n":
        ("回路电流将在每个测试点被固定，不再跟随过程值。请先将控制回路切换到手动。\n",
         "Der Schleifenstrom wird an jedem Punkt fest eingestellt und folgt nicht dem Prozess. Den Regelkreis vorher auf Hand schalten.\n"),
    "Give --yes to run the loop test without a question. Nothing was changed.\n": ("请使用 --yes 以免询问直接运行回路测试。未做任何更改。\n", "Mit --yes läuft der Schleifentest ohne Rückfrage. Es wurde nichts geändert.\n"),
    "Go on? [y/N] ": ("继续吗？[y/N] ", "Fortfahren? [y/N] "),
    "Nothing was changed.\n": ("未做任何更改。\n", "Es wurde nichts geändert.\n"),
    "Loop test of the device with unique identifier %1 at polling address %2.": ("回路测试：唯一标识符为 %1、轮询地址为 %2 的设备。", "Schleifentest des Geräts mit der eindeutigen Kennung %1 an Abfrageadresse %2."),
    "Point %1 of %2: %3 mA not taken: %4": ("测试点 %1/%2：%3 mA 未被接受：%4", "Punkt %1 von %2: %3 mA nicht übernommen: %4"),
    "Point %1 of %2: %3 mA set; the device reports %4 mA.": ("测试点 %1/%2：已设定 %3 mA；设备报告 %4 mA。", "Punkt %1 von %2: %3 mA eingestellt; das Gerät meldet %4 mA."),
    "The device did not identify itself (%1). Nothing was changed.": ("设备未能识别（%1）。未做任何更改。", "Das Gerät hat sich nicht identifiziert (%1). Es wurde nichts geändert."),
    "Every point was taken and the loop was released.": ("所有测试点均被接受，回路已释放。", "Alle Punkte wurden übernommen und die Schleife freigegeben."),
    "the file %1": ("文件 %1", "der Datei %1"),
    "the device at polling address %1": ("轮询地址 %1 上的设备", "dem Gerät an Abfrageadresse %1"),
    "The report is saved to %1.": ("报告已保存到 %1。", "Der Bericht ist in %1 gespeichert."),
    "'%1' is no unique identifier (a number up to 16777215, or 0x and six hex digits).": ("“%1”不是唯一标识符（应为不大于 16777215 的数，或 0x 加六位十六进制数字）。", "„%1“ ist keine eindeutige Kennung (eine Zahl bis 16777215 oder 0x und sechs Hexziffern)."),
    "'%1' is no date; give YYYY-MM-DD.": ("“%1”不是日期；请使用 YYYY-MM-DD 格式。", "„%1“ ist kein Datum; JJJJ-MM-TT angeben."),
    "%1: line %2 skipped: %3": ("%1：已跳过第 %2 行：%3", "%1: Zeile %2 übersprungen: %3"),
    "verified": ("已校验", "geprüft"),
    "refused": ("被拒绝", "abgelehnt"),
    "the device may have taken the value": ("设备可能已接受该值", "das Gerät hat den Wert möglicherweise übernommen"),
    "Polling address": ("轮询地址", "Abfrageadresse"),
    "Set (mA)": ("设定值 (mA)", "Soll (mA)"),
    "Device reports (mA)": ("设备报告值 (mA)", "Gerät meldet (mA)"),
    "Control system reads (mA)": ("控制系统读数 (mA)", "Leitsystem liest (mA)"),
    "Deviation (mA)": ("偏差 (mA)", "Abweichung (mA)"),
    "Result": ("结果", "Ergebnis"),
    "Time": ("时间", "Zeit"),
    "Before": ("写入前", "Vorher"),
    "After": ("写入后", "Nachher"),
    "Outcome": ("结果", "Ausgang"),
    "Program": ("程序", "Programm"),
    "Configuration": ("配置", "Konfiguration"),
    "Loop test": ("回路测试", "Schleifentest"),
    "Writes to this device": ("对该设备的写入", "Schreibvorgänge an dieses Gerät"),
    "not known": ("未知", "unbekannt"),
    "Long tag": ("长位号", "Langer Tag"),
    "Message": ("消息", "Nachricht"),
    "Date": ("日期", "Datum"),
    "passed": ("通过", "bestanden"),
    "Commissioning report": ("调试报告", "Inbetriebnahmebericht"),
    "Date and time": ("日期和时间", "Datum und Uhrzeit"),
    "Tool version": ("工具版本", "Programmversion"),
    "Operator": ("操作员", "Bearbeiter"),
    "Values from": ("数值来源", "Werte aus"),
    "No loop test of this device is on record.": ("没有该设备的回路测试记录。", "Für dieses Gerät ist kein Schleifentest verzeichnet."),
    "No writes to this device are on record.": ("没有对该设备的写入记录。", "Für dieses Gerät sind keine Schreibvorgänge verzeichnet."),
    "Signature:": ("签名：", "Unterschrift:"),
    "Date:": ("日期：", "Datum:"),
    "\"%1\" is not a current in mA": ("“%1”不是以 mA 为单位的电流值", "„%1“ ist kein Strom in mA"),
    "%1 mA is outside %2 to %3 mA": ("%1 mA 超出 %2 到 %3 mA 的范围", "%1 mA liegt außerhalb von %2 bis %3 mA"),
    "at most %1 points": ("最多 %1 个测试点", "höchstens %1 Punkte"),
    "the device reports %1 mA": ("设备报告 %1 mA", "das Gerät meldet %1 mA"),
    "The loop current follows the process again.": ("回路电流已重新跟随过程值。", "Der Schleifenstrom folgt wieder dem Prozess."),
    "The loop current may still be fixed: %1. Take the device out of fixed current mode before the loop is used.":
        ("回路电流可能仍处于固定状态：%1。在使用回路之前，请先使设备退出固定电流模式。",
         "Der Schleifenstrom ist möglicherweise noch fest: %1. Das Gerät vor dem Gebrauch der Schleife aus dem Festwertmodus nehmen."),
}

LANG_INDEX = {"zh_CN": 0, "de": 1}


def escape(text: str) -> str:
    # As lupdate writes it, so that lupdate after this script changes nothing.
    return (text.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")
            .replace('"', "&quot;").replace("'", "&apos;"))


MESSAGE = re.compile(r"(<source>)(.*?)(</source>\s*)<translation[^>]*>.*?</translation>", re.S)


def fill(ts_path: Path) -> int:
    index = LANG_INDEX[ts_path.stem.split("_", 1)[1]]
    missing = 0

    def translate(m: re.Match) -> str:
        nonlocal missing
        source = html.unescape(m.group(2))
        if source not in T:
            missing += 1
            print(f"{ts_path.name}: no translation for {source!r}", file=sys.stderr)
            return m.group(0)
        return f"{m.group(1)}{m.group(2)}{m.group(3)}<translation>{escape(T[source][index])}</translation>"

    text = MESSAGE.sub(translate, ts_path.read_text(encoding="utf-8"))
    ts_path.write_text(text, encoding="utf-8")
    return missing


if __name__ == "__main__":
    here = Path(__file__).resolve().parent
    sys.exit(1 if sum(fill(p) for p in sorted(here.glob("modbus-hart_*.ts"))) else 0)
