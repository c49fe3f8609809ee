<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en">
<context>
    <name>Form1</name>
    <message>
        <source>Address Number:</source>
        <translation>轮询地址：</translation>
    </message>
    <message>
        <source>Find Devices</source>
        <translation>查找设备</translation>
    </message>
    <message>
        <source>Manufacturing ID:</source>
        <translation>制造商 ID：</translation>
    </message>
    <message>
        <source>Sensor Type:</source>
        <translation>传感器类型：</translation>
    </message>
    <message>
        <source>Preamble Length:</source>
        <translation>前导码长度：</translation>
    </message>
    <message>
        <source>Sensor Serial Number:</source>
        <translation>传感器序列号：</translation>
    </message>
    <message>
        <source>Communication Test</source>
        <translation>通信测试</translation>
    </message>
    <message>
        <source>Current Value:</source>
        <translation>电流值：</translation>
    </message>
    <message>
        <source>Output Percentage:</source>
        <translation>输出百分比：</translation>
    </message>
    <message>
        <source>Current Query</source>
        <translation>电流查询</translation>
    </message>
    <message>
        <source>Variable %1:</source>
        <translation>变量 %1：</translation>
    </message>
    <message>
        <source>Unit:</source>
        <translation>单位：</translation>
    </message>
    <message>
        <source>Instrument Data Query</source>
        <translation>仪表数据查询</translation>
    </message>
    <message>
        <source>Live</source>
        <translation>实时</translation>
    </message>
    <message>
        <source>fastest</source>
        <translation>最快</translation>
    </message>
    <message>
        <source>Time between two samples</source>
        <translation>两次采样之间的时间</translation>
    </message>
    <message>
        <source>Trend...</source>
        <translation>趋势...</translation>
    </message>
    <message>
        <source>OUT DC4-20mA Output</source>
        <translation>OUT DC4-20mA 输出</translation>
    </message>
    <message>
        <source>OUT  DC20mA:</source>
        <translation>OUT  DC20mA：</translation>
    </message>
    <message>
        <source>OUT  DC4mA:</source>
        <translation>OUT  DC4mA：</translation>
    </message>
    <message>
        <source>Query</source>
        <translation>查询</translation>
    </message>
    <message>
        <source>Set</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Current Output</source>
        <translation>电流输出</translation>
    </message>
    <message>
        <source>4mA Output</source>
        <translation>4mA 输出</translation>
    </message>
    <message>
        <source>8mA Output</source>
        <translation>8mA 输出</translation>
    </message>
    <message>
        <source>12mA Output</source>
        <translation>12mA 输出</translation>
    </message>
    <message>
        <source>16mA Output</source>
        <translation>16mA 输出</translation>
    </message>
    <message>
        <source>20mA Output</source>
        <translation>20mA 输出</translation>
    </message>
    <message>
        <source>Other Output</source>
        <translation>其他输出</translation>
    </message>
    <message>
        <source>Exit Fixed Mode</source>
        <translation>退出固定模式</translation>
    </message>
    <message>
        <source>Instrument Information:</source>
        <translation>仪表信息：</translation>
    </message>
    <message>
        <source>maximum 32 characters</source>
        <translation>最多 32 个字符</translation>
    </message>
    <message>
        <source>Tag:</source>
        <translation>位号：</translation>
    </message>
    <message>
        <source>maximum 8 characters</source>
        <translation>最多 8 个字符</translation>
    </message>
    <message>
        <source>Descriptor:</source>
        <translation>描述符：</translation>
    </message>
    <message>
        <source>maximum 16 characters</source>
        <translation>最多 16 个字符</translation>
    </message>
    <message>
        <source>Year</source>
        <translation>年</translation>
    </message>
    <message>
        <source>Month</source>
        <translation>月</translation>
    </message>
    <message>
        <source>Day</source>
        <translation>日</translation>
    </message>
    <message>
        <source>Date Of Production:</source>
        <translation>生产日期：</translation>
    </message>
    <message>
        <source>note：the serial number is less than 16777215</source>
        <translation>注意：序列号须小于 16777215</translation>
    </message>
    <message>
        <source>Assembly Number:</source>
        <translation>装配号：</translation>
    </message>
    <message>
        <source>Address Modification:</source>
        <translation>修改地址：</translation>
    </message>
    <message>
        <source>LTAG:</source>
        <translation>长位号：</translation>
    </message>
    <message>
        <source>internal parameter settings</source>
        <translation>内部参数设置</translation>
    </message>
    <message>
        <source>after resetting the sensor type or manufacturing ID, a new query is required to communicate</source>
        <translation>重新设置传感器类型或制造商 ID 后，需重新查询才能通信</translation>
    </message>
    <message>
        <source>RS485 Parameter Configuration</source>
        <translation>RS485 参数配置</translation>
    </message>
    <message>
        <source>Baud Rate:</source>
        <translation>波特率：</translation>
    </message>
    <message>
        <source>Parity Bit:</source>
        <translation>校验位：</translation>
    </message>
    <message>
        <source>Communication Interval Time:</source>
        <translation>通信间隔时间：</translation>
    </message>
    <message>
        <source>when the interval time is 00,the converter writes variable according to the MODBUS instruction</source>
        <translation>间隔时间为 00 时，转换器按 MODBUS 指令写入变量</translation>
    </message>
    <message>
        <source>Instrument Command %1</source>
        <translation>仪表指令 %1</translation>
    </message>
    <message>
        <source>Enable:</source>
        <translation>启用：</translation>
    </message>
    <message>
        <source>Command Code:</source>
        <translation>指令代码：</translation>
    </message>
    <message>
        <source>Return Byte 1:</source>
        <translation>返回字节 1：</translation>
    </message>
    <message>
        <source>Byte 2:</source>
        <translation>字节 2：</translation>
    </message>
    <message>
        <source>MODBUS Paring Format</source>
        <translation>MODBUS 解析格式</translation>
    </message>
    <message>
        <source>Command Number</source>
        <translation>指令号</translation>
    </message>
    <message>
        <source>Data Addr</source>
        <translation>数据地址</translation>
    </message>
    <message>
        <source>Length</source>
        <translation>长度</translation>
    </message>
    <message>
        <source>Parsing Format</source>
        <translation>解析格式</translation>
    </message>
    <message>
        <source>Coefficient</source>
        <translation>系数</translation>
    </message>
    <message>
        <source>RS485 AD3 Value:</source>
        <translation>RS485 AD3 值：</translation>
    </message>
    <message>
        <source>RS485 AD4 Value:</source>
        <translation>RS485 AD4 值：</translation>
    </message>
    <message>
        <source>RS485 AD5 Value:</source>
        <translation>RS485 AD5 值：</translation>
    </message>
    <message>
        <source>RS485 AD6 Value:</source>
        <translation>RS485 AD6 值：</translation>
    </message>
    <message>
        <source>Serial Number:</source>
        <translation>序列号：</translation>
    </message>
    <message>
        <source>Analog Configuration</source>
        <translation>模拟量配置</translation>
    </message>
    <message>
        <source>Upper Limit</source>
        <translation>上限</translation>
    </message>
    <message>
        <source>Lower Llimit</source>
        <translation>下限</translation>
    </message>
    <message>
        <source>Start Point</source>
        <translation>起点</translation>
    </message>
    <message>
        <source>Coefficient/10000</source>
        <translation>系数/10000</translation>
    </message>
    <message>
        <source>instructions for using coefficient values
when greater than 1000:
actual value=measured value * (1+V/10000)
when less than 1000:
actual value=measured value * (1-V/10000)</source>
        <translation>系数值使用说明
大于 1000 时：
实际值=测量值 * (1+V/10000)
小于 1000 时：
实际值=测量值 * (1-V/10000)</translation>
    </message>
    <message>
        <source>HART Variable Output Configuration</source>
        <translation>HART 变量输出配置</translation>
    </message>
    <message>
        <source>Input Channel</source>
        <translation>输入通道</translation>
    </message>
    <message>
        <source>Unit Code</source>
        <translation>单位代码</translation>
    </message>
    <message>
        <source>Quorvane Configuration Software</source>
        <translation>Quorvane 组态软件</translation>
    </message>
    <message>
        <source>Serial Port:</source>
        <translation>串口：</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>Tel: +86-555-0100-4242</source>
        <translation>电话：+86-555-0100-4242</translation>
    </message>
    <message>
        <source>Parameter Configuration</source>
        <translation>参数配置</translation>
    </message>
    <message>
        <source> Instrument Information</source>
        <translation> 仪表信息</translation>
    </message>
    <message>
        <source>Input Configuration</source>
        <translation>输入配置</translation>
    </message>
    <message>
        <source>Analog &amp;&amp; Variable Configuration</source>
        <translation>模拟量和变量配置</translation>
    </message>
    <message>
        <source>Number Of Bytes Send:</source>
        <translation>发送字节数：</translation>
    </message>
    <message>
        <source>Number Of Bytes Received:</source>
        <translation>接收字节数：</translation>
    </message>
    <message>
        <source>Transfer Status:</source>
        <translation>传输状态：</translation>
    </message>
    <message>
        <source>Loop Test...</source>
        <translation>回路测试...</translation>
    </message>
</context>
<context>
    <name>ItemCaptions</name>
    <message>
        <source>Instrument Information</source>
        <translation>仪表信息</translation>
    </message>
    <message>
        <source>Tag, Descriptor, Date Of Production</source>
        <translation>位号、描述符、生产日期</translation>
    </message>
    <message>
        <source>Assembly Number</source>
        <translation>装配号</translation>
    </message>
    <message>
        <source>LTAG</source>
        <translation>长位号</translation>
    </message>
    <message>
        <source>OUT DC4-20mA Output</source>
        <translation>OUT DC4-20mA 输出</translation>
    </message>
    <message>
        <source>Instrument Command 1</source>
        <translation>仪表指令 1</translation>
    </message>
    <message>
        <source>Instrument Command 2</source>
        <translation>仪表指令 2</translation>
    </message>
    <message>
        <source>Instrument Command 3</source>
        <translation>仪表指令 3</translation>
    </message>
    <message>
        <source>Instrument Command 4</source>
        <translation>仪表指令 4</translation>
    </message>
    <message>
        <source>MODBUS Paring Format</source>
        <translation>MODBUS 解析格式</translation>
    </message>
    <message>
        <source>RS485 Parameter Configuration</source>
        <translation>RS485 参数配置</translation>
    </message>
    <message>
        <source>Analog Configuration AD1</source>
        <translation>模拟量配置 AD1</translation>
    </message>
    <message>
        <source>Analog Configuration AD2</source>
        <translation>模拟量配置 AD2</translation>
    </message>
    <message>
        <source>Analog Configuration AD3</source>
        <translation>模拟量配置 AD3</translation>
    </message>
    <message>
        <source>Analog Configuration AD4</source>
        <translation>模拟量配置 AD4</translation>
    </message>
    <message>
        <source>HART Variable Output Configuration</source>
        <translation>HART 变量输出配置</translation>
    </message>
    <message>
        <source>Sensor Serial Number</source>
        <translation>传感器序列号</translation>
    </message>
    <message>
        <source>internal parameter settings</source>
        <translation>内部参数设置</translation>
    </message>
    <message>
        <source>Address Modification</source>
        <translation>修改地址</translation>
    </message>
    <message>
        <source>Tag</source>
        <translation>位号</translation>
    </message>
    <message>
        <source>Descriptor</source>
        <translation>描述符</translation>
    </message>
    <message>
        <source>Year</source>
        <translation>年</translation>
    </message>
    <message>
        <source>Month</source>
        <translation>月</translation>
    </message>
    <message>
        <source>Day</source>
        <translation>日</translation>
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
        <translation>单位</translation>
    </message>
    <message>
        <source>Enable</source>
        <translation>启用</translation>
    </message>
    <message>
        <source>Command Code</source>
        <translation>指令代码</translation>
    </message>
    <message>
        <source>Return Byte 1</source>
        <translation>返回字节 1</translation>
    </message>
    <message>
        <source>Byte 2</source>
        <translation>字节 2</translation>
    </message>
    <message>
        <source>Command Number</source>
        <translation>指令号</translation>
    </message>
    <message>
        <source>Data Addr</source>
        <translation>数据地址</translation>
    </message>
    <message>
        <source>Length</source>
        <translation>长度</translation>
    </message>
    <message>
        <source>Parsing Format</source>
        <translation>解析格式</translation>
    </message>
    <message>
        <source>Coefficient</source>
        <translation>系数</translation>
    </message>
    <message>
        <source>Baud Rate</source>
        <translation>波特率</translation>
    </message>
    <message>
        <source>Parity Bit</source>
        <translation>校验位</translation>
    </message>
    <message>
        <source>Communication Interval Time</source>
        <translation>通信间隔时间</translation>
    </message>
    <message>
        <source>Upper Limit</source>
        <translation>上限</translation>
    </message>
    <message>
        <source>Lower Llimit</source>
        <translation>下限</translation>
    </message>
    <message>
        <source>Start Point</source>
        <translation>起点</translation>
    </message>
    <message>
        <source>Coefficient/10000</source>
        <translation>系数/10000</translation>
    </message>
    <message>
        <source>Input Channel</source>
        <translation>输入通道</translation>
    </message>
    <message>
        <source>Unit Code</source>
        <translation>单位代码</translation>
    </message>
    <message>
        <source>Sensor Type</source>
        <translation>传感器类型</translation>
    </message>
    <message>
        <source>Manufacturing ID</source>
        <translation>制造商 ID</translation>
    </message>
    <message>
        <source>RS485 AD3 Value</source>
        <translation>RS485 AD3 值</translation>
    </message>
    <message>
        <source>RS485 AD4 Value</source>
        <translation>RS485 AD4 值</translation>
    </message>
    <message>
        <source>RS485 AD5 Value</source>
        <translation>RS485 AD5 值</translation>
    </message>
    <message>
        <source>RS485 AD6 Value</source>
        <translation>RS485 AD6 值</translation>
    </message>
    <message>
        <source>Serial Number</source>
        <translation>序列号</translation>
    </message>
    <message>
        <source>Variable 1</source>
        <translation>变量 1</translation>
    </message>
    <message>
        <source>Variable 2</source>
        <translation>变量 2</translation>
    </message>
    <message>
        <source>Variable 3</source>
        <translation>变量 3</translation>
    </message>
    <message>
        <source>Variable 4</source>
        <translation>变量 4</translation>
    </message>
</context>
<context>
    <name>app::ConfigPage</name>
    <message>
        <source>Read from Device</source>
        <translation>从设备读取</translation>
    </message>
    <message>
        <source>Open File...</source>
        <translation>打开文件...</translation>
    </message>
    <message>
        <source>Save File...</source>
        <translation>保存文件...</translation>
    </message>
    <message>
        <source>Compare</source>
        <translation>比较</translation>
    </message>
    <message>
        <source>Write to Device</source>
        <translation>写入设备</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Write identity items too</source>
        <translation>同时写入标识项</translation>
    </message>
    <message>
        <source>File: (none)</source>
        <translation>文件：（无）</translation>
    </message>
    <message>
        <source>Item</source>
        <translation>项目</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>设备</translation>
    </message>
    <message>
        <source>File</source>
        <translation>文件</translation>
    </message>
    <message>
        <source>State</source>
        <translation>状态</translation>
    </message>
    <message>
        <source>Selected item</source>
        <translation>所选项目</translation>
    </message>
    <message>
        <source> (identity)</source>
        <translation>（标识）</translation>
    </message>
    <message>
        <source>could not be read: </source>
        <translation>无法读取：</translation>
    </message>
    <message>
        <source>Select a row to see its item whole.</source>
        <translation>选择一行即可查看该项目的完整内容。</translation>
    </message>
    <message>
        <source>file key: %1</source>
        <translation>文件键：%1</translation>
    </message>
    <message>
        <source>Device: could not be read: %1</source>
        <translation>设备：无法读取：%1</translation>
    </message>
    <message>
        <source>Not read from the device and not in a file.</source>
        <translation>未从设备读取，也不在文件中。</translation>
    </message>
    <message>
        <source>Cannot create the backup folder </source>
        <translation>无法创建备份文件夹 </translation>
    </message>
    <message>
        <source>Writing to the device...</source>
        <translation>正在写入设备...</translation>
    </message>
    <message>
        <source>Reading the device...</source>
        <translation>正在读取设备...</translation>
    </message>
    <message>
        <source>Waiting for the write to be confirmed...</source>
        <translation>正在等待确认写入...</translation>
    </message>
    <message>
        <source>identifying the device</source>
        <translation>正在识别设备</translation>
    </message>
    <message>
        <source>Writing: %1 of %2 items</source>
        <translation>写入：第 %1 项，共 %2 项</translation>
    </message>
    <message>
        <source>Reading: %1 of %2 items</source>
        <translation>读取：第 %1 项，共 %2 项</translation>
    </message>
    <message>
        <source>

Write the identity items anyway?</source>
        <translation>

仍然写入标识项吗？</translation>
    </message>
    <message>
        <source>Backup of the device before writing: </source>
        <translation>写入前的设备备份：</translation>
    </message>
    <message>
        <source>The device and the file are equal.</source>
        <translation>设备与文件相同。</translation>
    </message>
    <message>
        <source>The device and the file are equal but for %1 identity item(s), written only with &quot;Write identity items too&quot;.</source>
        <translation>设备与文件相同，但有 %1 个标识项不同，只有勾选“同时写入标识项”时才写入。</translation>
    </message>
    <message>
        <source>%1 item(s) differ between the device and the file.</source>
        <translation>设备与文件之间有 %1 项不同。</translation>
    </message>
    <message>
        <source>%1 identity item(s) differ too, written only with &quot;Write identity items too&quot;.</source>
        <translation>另有 %1 个标识项不同，只有勾选“同时写入标识项”时才写入。</translation>
    </message>
    <message>
        <source>File: </source>
        <translation>文件：</translation>
    </message>
    <message>
        <source>Opened </source>
        <translation>已打开 </translation>
    </message>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 已存在。
要替换它吗？</translation>
    </message>
    <message>
        <source>Saved the device&apos;s configuration to </source>
        <translation>设备配置已保存到 </translation>
    </message>
    <message>
        <source>These items will be written (device value -&gt; file value):</source>
        <translation>将写入以下项目（设备值 -&gt; 文件值）：</translation>
    </message>
    <message>
        <source>Items to write</source>
        <translation>要写入的项目</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>写入</translation>
    </message>
    <message>
        <source>Save Configuration</source>
        <translation>保存配置</translation>
    </message>
    <message>
        <source>Open Configuration</source>
        <translation>打开配置</translation>
    </message>
    <message>
        <source>Configuration files (*.json);;All files (*)</source>
        <translation>配置文件 (*.json);;所有文件 (*)</translation>
    </message>
    <message>
        <source>Write Identity</source>
        <translation>写入标识</translation>
    </message>
    <message>
        <source>Config File</source>
        <translation>配置文件</translation>
    </message>
    <message>
        <source>Configuration File</source>
        <translation>配置文件</translation>
    </message>
    <message>
        <source>History...</source>
        <translation>历史记录...</translation>
    </message>
    <message>
        <source>Report...</source>
        <translation>报告...</translation>
    </message>
    <message>
        <source>The history is not kept: </source>
        <translation>历史记录未保存：</translation>
    </message>
    <message>
        <source>the device at polling address %1</source>
        <translation>轮询地址 %1 上的设备</translation>
    </message>
    <message>
        <source>the file %1</source>
        <translation>文件 %1</translation>
    </message>
    <message>
        <source>Save Report</source>
        <translation>保存报告</translation>
    </message>
    <message>
        <source>PDF files (*.pdf);;HTML files (*.html *.htm)</source>
        <translation>PDF 文件 (*.pdf);;HTML 文件 (*.html *.htm)</translation>
    </message>
    <message>
        <source>Report</source>
        <translation>报告</translation>
    </message>
    <message>
        <source>Operator name:</source>
        <translation>操作员姓名：</translation>
    </message>
    <message>
        <source>The report is saved to %1.</source>
        <translation>报告已保存到 %1。</translation>
    </message>
    <message>
        <source>offline: editing %1</source>
        <translation>离线：正在编辑 %1</translation>
    </message>
    <message>
        <source>Saved the pages&apos; configuration to %1.</source>
        <translation>已将各页面的配置保存到 %1。</translation>
    </message>
</context>
<context>
    <name>app::HistoryDialog</name>
    <message>
        <source>History</source>
        <translation>历史记录</translation>
    </message>
    <message>
        <source>All devices</source>
        <translation>所有设备</translation>
    </message>
    <message>
        <source>Time (UTC)</source>
        <translation>时间 (UTC)</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>设备</translation>
    </message>
    <message>
        <source>Tag</source>
        <translation>位号</translation>
    </message>
    <message>
        <source>Item</source>
        <translation>项目</translation>
    </message>
    <message>
        <source>Before</source>
        <translation>写入前</translation>
    </message>
    <message>
        <source>After</source>
        <translation>写入后</translation>
    </message>
    <message>
        <source>Outcome</source>
        <translation>结果</translation>
    </message>
    <message>
        <source>Export CSV...</source>
        <translation>导出 CSV...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>The history cannot be read: %1</source>
        <translation>无法读取历史记录：%1</translation>
    </message>
    <message>
        <source>Export History</source>
        <translation>导出历史记录</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV 文件 (*.csv)</translation>
    </message>
    <message>
        <source>Not saved: %1</source>
        <translation>未保存：%1</translation>
    </message>
    <message>
        <source>Records: %1</source>
        <translation>记录数：%1</translation>
    </message>
    <message>
        <source>Skipped damaged lines of the file: %1 (line numbers: %2).</source>
        <translation>已跳过文件中损坏的行：%1 行（行号：%2）。</translation>
    </message>
    <message>
        <source>Saved %1 records to %2.</source>
        <translation>已将 %1 条记录保存到 %2。</translation>
    </message>
</context>
<context>
    <name>app::LiveTrend</name>
    <message>
        <source>Live Values</source>
        <translation>实时值</translation>
    </message>
    <message>
        <source>time</source>
        <translation>时间</translation>
    </message>
    <message>
        <source>variables</source>
        <translation>变量</translation>
    </message>
    <message>
        <source>loop current (mA)</source>
        <translation>回路电流 (mA)</translation>
    </message>
    <message>
        <source>Loop current (mA)</source>
        <translation>回路电流 (mA)</translation>
    </message>
    <message>
        <source>Variable %1</source>
        <translation>变量 %1</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>暂停</translation>
    </message>
    <message>
        <source>Export CSV...</source>
        <translation>导出 CSV...</translation>
    </message>
    <message>
        <source>Variable %1 (%2)</source>
        <translation>变量 %1 (%2)</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>继续</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>无法写入 %1：%2</translation>
    </message>
    <message>
        <source>Export samples</source>
        <translation>导出采样</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV 文件 (*.csv)</translation>
    </message>
    <message>
        <source>%1 samples written to %2</source>
        <translation>已将 %1 个采样写入 %2</translation>
    </message>
</context>
<context>
    <name>app::LoopTestDialog</name>
    <message>
        <source>Loop Test</source>
        <translation>回路测试</translation>
    </message>
    <message>
        <source>Points (mA):</source>
        <translation>测试点 (mA)：</translation>
    </message>
    <message>
        <source>Set (mA)</source>
        <translation>设定值 (mA)</translation>
    </message>
    <message>
        <source>Reported (mA)</source>
        <translation>设备报告 (mA)</translation>
    </message>
    <message>
        <source>Control system (mA)</source>
        <translation>控制系统 (mA)</translation>
    </message>
    <message>
        <source>Deviation (mA)</source>
        <translation>偏差 (mA)</translation>
    </message>
    <message>
        <source>Verdict</source>
        <translation>判定</translation>
    </message>
    <message>
        <source>Control system reads (mA):</source>
        <translation>控制系统读数 (mA)：</translation>
    </message>
    <message>
        <source>optional</source>
        <translation>可选</translation>
    </message>
    <message>
        <source>Passed</source>
        <translation>通过</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>未通过</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>开始</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>下一个</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Finish</source>
        <translation>完成</translation>
    </message>
    <message>
        <source>During the loop test the loop current will not follow the process. Put the control loop in manual before you go on.

Start the loop test?</source>
        <translation>回路测试期间，回路电流将不再跟随过程值。继续之前请先将控制回路切换到手动。

开始回路测试吗？</translation>
    </message>
    <message>
        <source>The history is not kept: </source>
        <translation>历史记录未保存：</translation>
    </message>
    <message>
        <source>Identifying the device...</source>
        <translation>正在识别设备...</translation>
    </message>
    <message>
        <source>The device did not take %1 mA: %2</source>
        <translation>设备未接受 %1 mA：%2</translation>
    </message>
    <message>
        <source>Point %1: the loop is set to %2 mA. Enter what the control system reads, mark the point, then Next.</source>
        <translation>测试点 %1：回路已设定为 %2 mA。请输入控制系统的读数，标记该测试点，然后点击“下一个”。</translation>
    </message>
    <message>
        <source>Deviation %1 mA</source>
        <translation>偏差 %1 mA</translation>
    </message>
    <message>
        <source>Setting the next point...</source>
        <translation>正在设定下一个测试点...</translation>
    </message>
    <message>
        <source>Releasing the loop current...</source>
        <translation>正在释放回路电流...</translation>
    </message>
    <message>
        <source>cancelled before anything was sent</source>
        <translation>在发送任何内容之前已取消</translation>
    </message>
    <message>
        <source>Cancelled; nothing was sent.</source>
        <translation>已取消；未发送任何内容。</translation>
    </message>
    <message>
        <source>Nothing was changed: %1</source>
        <translation>未做任何更改：%1</translation>
    </message>
    <message>
        <source>The loop test result is not kept: %1</source>
        <translation>回路测试结果未保存：%1</translation>
    </message>
    <message>
        <source>Loop test passed.</source>
        <translation>回路测试通过。</translation>
    </message>
    <message>
        <source>Loop test stopped before the last point.</source>
        <translation>回路测试在最后一个测试点之前已停止。</translation>
    </message>
    <message>
        <source>Loop test failed.</source>
        <translation>回路测试未通过。</translation>
    </message>
</context>
<context>
    <name>app::ScanDialog</name>
    <message>
        <source>Find Devices</source>
        <translation>查找设备</translation>
    </message>
    <message>
        <source>Addresses:</source>
        <translation>地址：</translation>
    </message>
    <message>
        <source>Scan</source>
        <translation>扫描</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>%v of %m addresses</source>
        <translation>%v / %m 个地址</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>地址</translation>
    </message>
    <message>
        <source>Manufacturer</source>
        <translation>制造商</translation>
    </message>
    <message>
        <source>Device type</source>
        <translation>设备类型</translation>
    </message>
    <message>
        <source>Unique identifier</source>
        <translation>唯一标识符</translation>
    </message>
    <message>
        <source>HART revision</source>
        <translation>HART 版本</translation>
    </message>
    <message>
        <source>Preambles</source>
        <translation>前导码</translation>
    </message>
    <message>
        <source>Use this device</source>
        <translation>使用此设备</translation>
    </message>
    <message>
        <source>Cancelling...</source>
        <translation>正在取消...</translation>
    </message>
    <message>
        <source>Scanning...</source>
        <translation>正在扫描...</translation>
    </message>
    <message>
        <source>No device answered.</source>
        <translation>没有设备应答。</translation>
    </message>
    <message>
        <source>%1 device(s) found. Choose one to identify it.</source>
        <translation>找到 %1 台设备。请选择一台进行识别。</translation>
    </message>
    <message>
        <source>Cancelled; %1 device(s) found so far.</source>
        <translation>已取消；目前找到 %1 台设备。</translation>
    </message>
    <message>
        <source>Scan stopped: %1.</source>
        <translation>扫描已停止：%1。</translation>
    </message>
</context>
<context>
    <name>app::ScanLive</name>
    <message>
        <source>Live values stopped: a configuration batch uses the line.</source>
        <translation>实时值已停止：配置批处理正在使用线路。</translation>
    </message>
    <message>
        <source>an answer without the values</source>
        <translation>应答中没有数值</translation>
    </message>
</context>
<context>
    <name>app::TForm1</name>
    <message>
        <source>The long tag holds control characters; type a new tag to write.</source>
        <translation>长位号含有控制字符；请输入新的位号再写入。</translation>
    </message>
    <message>
        <source>Port disconnected: %1</source>
        <translation>串口已断开：%1</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Device Status:</source>
        <translation>设备状态：</translation>
    </message>
    <message>
        <source>Traffic…</source>
        <translation>通信记录…</translation>
    </message>
    <message>
        <source>Every frame on the line, decoded</source>
        <translation>线路上的每一帧（已解码）</translation>
    </message>
    <message>
        <source>, </source>
        <translation>，</translation>
    </message>
    <message>
        <source>Line: configuration batch</source>
        <translation>线路：配置批处理</translation>
    </message>
    <message>
        <source>Line: scan</source>
        <translation>线路：扫描</translation>
    </message>
    <message>
        <source>Line: live values</source>
        <translation>线路：实时值</translation>
    </message>
    <message>
        <source>Connecting to %1...</source>
        <translation>正在连接 %1...</translation>
    </message>
    <message>
        <source>%1: the page&apos;s value cannot be kept in a file.</source>
        <translation>%1：该页面的值无法保存到文件中。</translation>
    </message>
    <message>
        <source>answered after the time-out; </source>
        <translation>超时后才应答；</translation>
    </message>
    <message>
        <source>what came was no answer to it</source>
        <translation>收到的内容不是对它的应答</translation>
    </message>
    <message>
        <source>answered without error, not read back</source>
        <translation>应答无错误，未回读</translation>
    </message>
    <message>
        <source>another request went out before its answer</source>
        <translation>在其应答之前已发出另一个请求</translation>
    </message>
    <message>
        <source>The history is not kept: </source>
        <translation>历史记录未保存：</translation>
    </message>
    <message>
        <source>the window closed before its answer</source>
        <translation>窗口在其应答之前已关闭</translation>
    </message>
    <message>
        <source>A serial port, the simulated converter, or hart-ip://HOST[:PORT] (hart-ip+tcp://HOST[:PORT] over TCP) for a HART-IP server</source>
        <translation>串口、模拟转换器，或用于 HART-IP 服务器的 hart-ip://HOST[:PORT]（经 TCP 则为 hart-ip+tcp://HOST[:PORT]）</translation>
    </message>
</context>
<context>
    <name>app::TrafficModel</name>
    <message>
        <source>Sent</source>
        <translation>发送</translation>
    </message>
    <message>
        <source>Received</source>
        <translation>接收</translation>
    </message>
    <message>
        <source>Time (ms)</source>
        <translation>时间 (ms)</translation>
    </message>
    <message>
        <source>Gap (ms)</source>
        <translation>间隔 (ms)</translation>
    </message>
    <message>
        <source>Direction</source>
        <translation>方向</translation>
    </message>
    <message>
        <source>Frames</source>
        <translation>帧</translation>
    </message>
    <message>
        <source>%1 at %2 ms, %3 bytes

</source>
        <translation>%1 于 %2 ms，%3 字节

</translation>
    </message>
    <message>
        <source>session initiate</source>
        <translation>会话建立</translation>
    </message>
    <message>
        <source>session close</source>
        <translation>会话关闭</translation>
    </message>
    <message>
        <source>keep-alive</source>
        <translation>保活</translation>
    </message>
    <message>
        <source>pass-through</source>
        <translation>透传</translation>
    </message>
    <message>
        <source>request</source>
        <translation>请求</translation>
    </message>
    <message>
        <source>response</source>
        <translation>应答</translation>
    </message>
    <message>
        <source>publish</source>
        <translation>发布</translation>
    </message>
    <message>
        <source>error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>NAK</source>
        <translation>NAK</translation>
    </message>
    <message>
        <source>HART-IP %1 %2, sequence %3, status %4</source>
        <translation>HART-IP %1 %2，序号 %3，状态 %4</translation>
    </message>
    <message>
        <source>HART-IP message refused (%1): %2</source>
        <translation>HART-IP 报文被拒绝（%1）：%2</translation>
    </message>
    <message>
        <source>%1 from %2 to %3
</source>
        <translation>%1，从 %2 到 %3
</translation>
    </message>
</context>
<context>
    <name>app::TrafficWindow</name>
    <message>
        <source>Line Traffic</source>
        <translation>线路通信</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>清除</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>暂停</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>复制</translation>
    </message>
    <message>
        <source>Save Capture…</source>
        <translation>保存抓包…</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>继续</translation>
    </message>
    <message>
        <source>Save Capture</source>
        <translation>保存抓包</translation>
    </message>
    <message>
        <source>pcapng captures (*.pcapng);;All files (*)</source>
        <translation>pcapng 抓包文件 (*.pcapng);;所有文件 (*)</translation>
    </message>
    <message>
        <source>%1 rows saved to %2</source>
        <translation>已将 %1 行保存到 %2</translation>
    </message>
    <message>
        <source>Clear Selection</source>
        <translation>取消选择</translation>
    </message>
    <message>
        <source>%1 rows</source>
        <translation>%1 行</translation>
    </message>
    <message>
        <source>, %1 held while paused</source>
        <translation>，暂停期间保留 %1 行</translation>
    </message>
</context>
<context>
    <name>cli</name>
    <message>
        <source>read the device&apos;s configuration; print it or write FILE</source>
        <translation>读取设备的配置；打印或写入 FILE</translation>
    </message>
    <message>
        <source>compare the device with FILE, or FILE with FILE2</source>
        <translation>将设备与 FILE 比较，或将 FILE 与 FILE2 比较</translation>
    </message>
    <message>
        <source>write what differs from FILE to the device, verifying each item</source>
        <translation>将与 FILE 不同的内容写入设备，并逐项校验</translation>
    </message>
    <message>
        <source>poll the addresses with command 0 and list every device that answers</source>
        <translation>用命令 0 轮询各地址并列出每台应答的设备</translation>
    </message>
    <message>
        <source>The option --port needs a port name.</source>
        <translation>选项 --port 需要一个串口名称。</translation>
    </message>
    <message>
        <source>The option --capture needs a file name.</source>
        <translation>选项 --capture 需要一个文件名。</translation>
    </message>
    <message>
        <source>The option --backup-dir needs a folder.</source>
        <translation>选项 --backup-dir 需要一个文件夹。</translation>
    </message>
    <message>
        <source>The option --address needs a polling address from 0 to 15.</source>
        <translation>选项 --address 需要 0 到 15 的轮询地址。</translation>
    </message>
    <message>
        <source>The polling address &apos;%1&apos; is not a number from 0 to 15.</source>
        <translation>轮询地址“%1”不是 0 到 15 之间的数字。</translation>
    </message>
    <message>
        <source>The option --addresses needs a range such as 0-15.</source>
        <translation>选项 --addresses 需要一个范围，例如 0-15。</translation>
    </message>
    <message>
        <source>The option %1 needs a file name.</source>
        <translation>选项 %1 需要一个文件名。</translation>
    </message>
    <message>
        <source>Unknown option %1.</source>
        <translation>未知选项 %1。</translation>
    </message>
    <message>
        <source>Unknown command &apos;%1&apos;.</source>
        <translation>未知命令“%1”。</translation>
    </message>
    <message>
        <source>The option %1 does not apply to %2.</source>
        <translation>选项 %1 不适用于 %2。</translation>
    </message>
    <message>
        <source>Usage: %1 %2</source>
        <translation>用法：%1 %2</translation>
    </message>
    <message>
        <source>Give either --port or --simulate, not both.</source>
        <translation>请给出 --port 或 --simulate，不能同时给出。</translation>
    </message>
    <message>
        <source>Usage: %1 COMMAND [FILE...] [OPTIONS]

</source>
        <translation>用法：%1 COMMAND [FILE...] [OPTIONS]

</translation>
    </message>
    <message>
        <source>Reads, compares and clones the configuration of a MODBUS-HART converter.

Commands:
</source>
        <translation>读取、比较和克隆 MODBUS-HART 转换器的配置。

命令：
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
选项：
  --port NAME      串口：COM3、/dev/ttyUSB0、ttyUSB0 或路径
  --simulate       改为与内置的模拟转换器通信
  --address N      要识别的轮询地址，0 到 15（默认 0）
  --capture FILE   将线路上的每一帧保存到 FILE，即供 Wireshark 使用的 pcapng 抓包文件
  --with-identity  同时比较或写入标识项
  --force          即使制造商或设备类型不同也写入，或将另一台设备的
                   传感器序列号（其唯一标识符）写给该设备
  --dry-run        打印将要写入的内容，不发送任何设置
  --backup-dir DIR write：备份保存在 DIR 中（默认：数据文件夹中的
                   modbus-hart/backups，与窗口共用）
  -o FILE          read：将文件写入 FILE；- 表示标准输出
  --addresses R    scan：轮询地址范围，0-15（默认）至 0-63
  --help, --version

退出状态：0 完成（diff：相同），1 发现差异、读取只保存了部分项，
或写入在更改了某些内容后停止，2 在更改任何内容之前被拒绝或失败。
scan：0 找到一台或多台设备，1 未找到，2 出错。
</translation>
    </message>
    <message>
        <source>an unidentified device</source>
        <translation>一台未识别的设备</translation>
    </message>
    <message>
        <source>manufacturer %1, device type %2, serial number %3 at polling address %4</source>
        <translation>制造商 %1，设备类型 %2，序列号 %3，轮询地址 %4</translation>
    </message>
    <message>
        <source>Reading the device failed: %1</source>
        <translation>读取设备失败：%1</translation>
    </message>
    <message>
        <source>could not be read from the %1 (%2)</source>
        <translation>无法从%1读取（%2）</translation>
    </message>
    <message>
        <source> (identity item, compared only with --with-identity)</source>
        <translation>（标识项，仅在使用 --with-identity 时比较）</translation>
    </message>
    <message>
        <source>The %1 and the %2 are equal.</source>
        <translation>%1与%2相同。</translation>
    </message>
    <message>
        <source>%1 item differs between the %2 and the %3.</source>
        <translation>%2与%3之间有 %1 项不同。</translation>
    </message>
    <message>
        <source>%1 items differ between the %2 and the %3.</source>
        <translation>%2与%3之间有 %1 项不同。</translation>
    </message>
    <message>
        <source>Give the port with --port NAME, or --simulate for the simulated converter.</source>
        <translation>请用 --port NAME 指定串口，或用 --simulate 使用模拟转换器。</translation>
    </message>
    <message>
        <source>Standard output could not be written: %1.</source>
        <translation>无法写入标准输出：%1。</translation>
    </message>
    <message>
        <source>Standard output could not be written.</source>
        <translation>无法写入标准输出。</translation>
    </message>
    <message>
        <source>%1; saved to %2.</source>
        <translation>%1；已保存到 %2。</translation>
    </message>
    <message>
        <source>first file</source>
        <translation>第一个文件</translation>
    </message>
    <message>
        <source>second file</source>
        <translation>第二个文件</translation>
    </message>
    <message>
        <source>device</source>
        <translation>设备</translation>
    </message>
    <message>
        <source>file</source>
        <translation>文件</translation>
    </message>
    <message>
        <source>Cannot create the backup folder %1.</source>
        <translation>无法创建备份文件夹 %1。</translation>
    </message>
    <message>
        <source>%1 item was already equal.</source>
        <translation>%1 项原本已相同。</translation>
    </message>
    <message>
        <source>%1 items were already equal.</source>
        <translation>%1 项原本已相同。</translation>
    </message>
    <message>
        <source>Give --force to write it anyway.</source>
        <translation>如仍要写入，请加 --force。</translation>
    </message>
    <message>
        <source>Try &apos;%1 --help&apos;.</source>
        <translation>请尝试“%1 --help”。</translation>
    </message>
    <message>
        <source>The address range &apos;%1&apos; is not FIRST-LAST within 0-63.</source>
        <translation>地址范围“%1”不是 0-63 之内的 FIRST-LAST 形式。</translation>
    </message>
    <message>
        <source>%1/%2 addresses</source>
        <translation>%1/%2 个地址</translation>
    </message>
    <message>
        <source>The scan stopped: %1</source>
        <translation>扫描已停止：%1</translation>
    </message>
    <message>
        <source>No device answered at addresses %1 to %2.</source>
        <translation>地址 %1 到 %2 均无设备应答。</translation>
    </message>
    <message>
        <source>step the loop current through the points (command 40), then release it</source>
        <translation>按各测试点逐步设定回路电流（指令 40），然后释放</translation>
    </message>
    <message>
        <source>write a commissioning report of the device, or of CONFIG</source>
        <translation>生成设备（或 CONFIG 文件）的调试报告</translation>
    </message>
    <message>
        <source>list the writes to devices, oldest first</source>
        <translation>列出对设备的写入记录，最早的在前</translation>
    </message>
    <message>
        <source>The option %1 needs a value.</source>
        <translation>选项 %1 需要一个值。</translation>
    </message>
    <message>
        <source>The option --hold needs a number of seconds from 0 to 3600.</source>
        <translation>选项 --hold 需要 0 到 3600 之间的秒数。</translation>
    </message>
    <message>
        <source>No command given: say read, diff, write, scan, loop-test, report or history.</source>
        <translation>未给出命令：请指定 read、diff、write、scan、loop-test、report 或 history。</translation>
    </message>
    <message>
        <source>Give either --file or a device (--port or --simulate), not both.</source>
        <translation>请给出 --file 或设备（--port 或 --simulate），不能同时给出。</translation>
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
调试选项：
  --points LIST    loop-test：各测试点的电流，单位 mA（默认 4,8,12,16,20）
  --hold SECONDS   loop-test：每个测试点保持的时间（默认 5 秒）
  --yes            loop-test：固定回路电流前不再询问
  --file CONFIG    report：使用配置文件中的值，而不是设备中的值
  --operator NAME  report：报告上的操作员姓名
  -o FILE          report：FILE.pdf 或 FILE.html（默认 report-位号-日期.pdf）
  --device ID      history：只列出具有该唯一标识符的设备
  --since DATE     history：只列出自 DATE（YYYY-MM-DD）起的写入
  --json           history：以 JSON Lines 格式输出记录
loop-test：0 所有测试点完成且回路已释放，1 某个测试点或释放失败，或测试被中止，
2 在更改任何内容之前被拒绝。
回路测试和 write 的写入记录保存在历史中（数据文件夹中的
modbus-hart/history.jsonl）。
</translation>
    </message>
    <message>
        <source>The history did not keep this write: %1</source>
        <translation>历史记录未能保存此次写入：%1</translation>
    </message>
    <message>
        <source>The loop current will be fixed at each point and will not follow the process. Put the control loop in manual first.
</source>
        <translation>回路电流将在每个测试点被固定，不再跟随过程值。请先将控制回路切换到手动。
</translation>
    </message>
    <message>
        <source>Give --yes to run the loop test without a question. Nothing was changed.
</source>
        <translation>请使用 --yes 以免询问直接运行回路测试。未做任何更改。
</translation>
    </message>
    <message>
        <source>Go on? [y/N] </source>
        <translation>继续吗？[y/N] </translation>
    </message>
    <message>
        <source>Nothing was changed.
</source>
        <translation>未做任何更改。
</translation>
    </message>
    <message>
        <source>Loop test of the device with unique identifier %1 at polling address %2.</source>
        <translation>回路测试：唯一标识符为 %1、轮询地址为 %2 的设备。</translation>
    </message>
    <message>
        <source>Point %1 of %2: %3 mA not taken: %4</source>
        <translation>测试点 %1/%2：%3 mA 未被接受：%4</translation>
    </message>
    <message>
        <source>Point %1 of %2: %3 mA set; the device reports %4 mA.</source>
        <translation>测试点 %1/%2：已设定 %3 mA；设备报告 %4 mA。</translation>
    </message>
    <message>
        <source>The device did not identify itself (%1). Nothing was changed.</source>
        <translation>设备未能识别（%1）。未做任何更改。</translation>
    </message>
    <message>
        <source>Every point was taken and the loop was released.</source>
        <translation>所有测试点均被接受，回路已释放。</translation>
    </message>
    <message>
        <source>the file %1</source>
        <translation>文件 %1</translation>
    </message>
    <message>
        <source>the device at polling address %1</source>
        <translation>轮询地址 %1 上的设备</translation>
    </message>
    <message>
        <source>The report is saved to %1.</source>
        <translation>报告已保存到 %1。</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is no unique identifier (a number up to 16777215, or 0x and six hex digits).</source>
        <translation>“%1”不是唯一标识符（应为不大于 16777215 的数，或 0x 加六位十六进制数字）。</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is no date; give YYYY-MM-DD.</source>
        <translation>“%1”不是日期；请使用 YYYY-MM-DD 格式。</translation>
    </message>
    <message>
        <source>%1: line %2 skipped: %3</source>
        <translation>%1：已跳过第 %2 行：%3</translation>
    </message>
    <message>
        <source>The option --hart-ip needs a server, HOST or HOST:PORT.</source>
        <translation>选项 --hart-ip 需要一个服务器：HOST 或 HOST:PORT。</translation>
    </message>
    <message>
        <source>Give --hart-ip instead of --port or --simulate, not with them.</source>
        <translation>请用 --hart-ip 代替 --port 或 --simulate，不要同时使用。</translation>
    </message>
    <message>
        <source>The option --tcp goes with --hart-ip.</source>
        <translation>选项 --tcp 需与 --hart-ip 一起使用。</translation>
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
HART-IP 选项（代替 --port 或 --simulate）：
  --hart-ip HOST[:PORT]
                   通过 HART-IP 服务器（网关、多路复用器或远程 I/O；
                   未指定时端口为 5094）经 UDP 通信
  --tcp            与 --hart-ip 一起使用：改经 TCP
</translation>
    </message>
    <message>
        <source>%1 from %2</source>
        <translation>%1，来自 %2</translation>
    </message>
</context>
<context>
    <name>config</name>
    <message>
        <source>read</source>
        <translation>已读取</translation>
    </message>
    <message>
        <source>could not be read</source>
        <translation>无法读取</translation>
    </message>
    <message>
        <source>already equal</source>
        <translation>已相同</translation>
    </message>
    <message>
        <source>would be written</source>
        <translation>将被写入</translation>
    </message>
    <message>
        <source>written and verified</source>
        <translation>已写入并校验</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>失败</translation>
    </message>
    <message>
        <source>not attempted</source>
        <translation>未尝试</translation>
    </message>
    <message>
        <source>not written</source>
        <translation>未写入</translation>
    </message>
    <message>
        <source>written, not verified (the device may have taken the value)</source>
        <translation>已写入，未校验（设备可能已接受该值）</translation>
    </message>
    <message>
        <source>The device&apos;s configuration before writing was saved to %1.</source>
        <translation>写入前的设备配置已保存到 %1。</translation>
    </message>
    <message>
        <source>%1 requests had to be sent again.</source>
        <translation>有 %1 个请求需要重发。</translation>
    </message>
    <message>
        <source>Device: </source>
        <translation>设备：</translation>
    </message>
    <message>
        <source>tag &quot;%1&quot;, </source>
        <translation>位号“%1”，</translation>
    </message>
    <message>
        <source>tag not read, </source>
        <translation>位号未读取，</translation>
    </message>
    <message>
        <source>polling address %1, unique identifier %2</source>
        <translation>轮询地址 %1，唯一标识符 %2</translation>
    </message>
    <message>
        <source>not identified</source>
        <translation>未识别</translation>
    </message>
    <message>
        <source>(not read)</source>
        <translation>（未读取）</translation>
    </message>
    <message>
        <source>item</source>
        <translation>项</translation>
    </message>
    <message>
        <source>items</source>
        <translation>项</translation>
    </message>
    <message>
        <source>item would be written</source>
        <translation>项将被写入</translation>
    </message>
    <message>
        <source>items would be written</source>
        <translation>项将被写入</translation>
    </message>
    <message>
        <source>item written and verified</source>
        <translation>项已写入并校验</translation>
    </message>
    <message>
        <source>items written and verified</source>
        <translation>项已写入并校验</translation>
    </message>
    <message>
        <source>Nothing was written: another device now answers at polling address %1 (unique identifier %2, read and shown was %3).</source>
        <translation>未写入任何内容：轮询地址 %1 现在由另一台设备应答（唯一标识符 %2，读取并显示的是 %3）。</translation>
    </message>
    <message>
        <source>Nothing was written: the device no longer answers (%1).</source>
        <translation>未写入任何内容：设备不再应答（%1）。</translation>
    </message>
    <message>
        <source>The file was not written: no directory for the backup was given.</source>
        <translation>文件未写入：未指定备份目录。</translation>
    </message>
    <message>
        <source>Cancelled after writing part of the file.</source>
        <translation>已在写入文件的一部分后取消。</translation>
    </message>
    <message>
        <source>Cancelled; nothing was written.</source>
        <translation>已取消；未写入任何内容。</translation>
    </message>
    <message>
        <source>No device answered at polling address %1: %2.</source>
        <translation>轮询地址 %1 无设备应答：%2。</translation>
    </message>
    <message>
        <source>the identify answer is too short</source>
        <translation>识别应答过短</translation>
    </message>
    <message>
        <source>the answer is too short</source>
        <translation>应答过短</translation>
    </message>
    <message>
        <source>Nothing was written: the device&apos;s %1 could not be read first (%2).</source>
        <translation>未写入任何内容：无法先读取设备的 %1（%2）。</translation>
    </message>
    <message>
        <source>Nothing was written: the file names no device type (force to write it anyway).</source>
        <translation>未写入任何内容：文件未注明设备类型（可强制写入）。</translation>
    </message>
    <message>
        <source>Nothing was written: the device is manufacturer %1, device type %2, the file is for manufacturer %3, device type %4 (force to write it anyway).</source>
        <translation>未写入任何内容：设备为制造商 %1、设备类型 %2，文件适用于制造商 %3、设备类型 %4（可强制写入）。</translation>
    </message>
    <message>
        <source>Nothing was written: the file&apos;s sensor serial number %1 is not this device&apos;s (%2); the converter uses it as its unique identifier, so two devices would share one.</source>
        <translation>未写入任何内容：文件中的传感器序列号 %1 不是本设备的（%2）；转换器将其用作唯一标识符，两台设备将会共用同一个。</translation>
    </message>
    <message>
        <source>The file was not written: item &quot;%1&quot;: %2.</source>
        <translation>文件未写入：项“%1”：%2。</translation>
    </message>
    <message>
        <source>identity item, not asked for</source>
        <translation>标识项，未要求</translation>
    </message>
    <message>
        <source>Nothing would be written: the device already matches.</source>
        <translation>不会写入任何内容：设备已一致。</translation>
    </message>
    <message>
        <source>%1; nothing was sent.</source>
        <translation>%1；未发送任何内容。</translation>
    </message>
    <message>
        <source>Nothing to write: the device already matches.</source>
        <translation>无需写入：设备已一致。</translation>
    </message>
    <message>
        <source>the backup could not be saved: %1</source>
        <translation>备份无法保存：%1</translation>
    </message>
    <message>
        <source>the backup does not read back: %1</source>
        <translation>备份无法读回：%1</translation>
    </message>
    <message>
        <source>the backup %1 does not read back as what was read</source>
        <translation>备份 %1 读回的内容与读取的不一致</translation>
    </message>
    <message>
        <source>Nothing was written: %1.</source>
        <translation>未写入任何内容：%1。</translation>
    </message>
    <message>
        <source>Stopped at %1: %2. %3, %4.</source>
        <translation>在 %1 处停止：%2。%3，%4。</translation>
    </message>
    <message>
        <source>Wrote %1, each read back equal.</source>
        <translation>已写入 %1，每项读回均一致。</translation>
    </message>
    <message>
        <source>cancelled before the answer; the device may have taken the value</source>
        <translation>在应答前取消；设备可能已接受该值</translation>
    </message>
    <message>
        <source>%1; the device may have taken the value</source>
        <translation>%1；设备可能已接受该值</translation>
    </message>
    <message>
        <source>written, but the device did not answer the identify afterwards (%1)</source>
        <translation>已写入，但设备随后未应答识别命令（%1）</translation>
    </message>
    <message>
        <source>written, but reading it back failed (%1)</source>
        <translation>已写入，但读回失败（%1）</translation>
    </message>
    <message>
        <source>read back %1, meant %2</source>
        <translation>读回为 %1，应为 %2</translation>
    </message>
    <message>
        <source>equal</source>
        <translation>相同</translation>
    </message>
    <message>
        <source>different</source>
        <translation>不同</translation>
    </message>
    <message>
        <source>only in %1</source>
        <translation>仅在%1中</translation>
    </message>
    <message>
        <source>in neither</source>
        <translation>两者均无</translation>
    </message>
    <message>
        <source>identity: not an object</source>
        <translation>identity：不是对象</translation>
    </message>
    <message>
        <source>identity: unknown key &quot;%1&quot;</source>
        <translation>identity：未知键“%1”</translation>
    </message>
    <message>
        <source>identity: expandedDeviceType: not true or false</source>
        <translation>identity：expandedDeviceType：不是 true 或 false</translation>
    </message>
    <message>
        <source>identity: %1: missing or not a whole number in 0..%2</source>
        <translation>identity：%1：缺失或不是 0..%2 的整数</translation>
    </message>
    <message>
        <source>not valid JSON: %1 at offset %2</source>
        <translation>不是有效的 JSON：%1，位于偏移 %2</translation>
    </message>
    <message>
        <source>not a configuration file: the JSON is not an object</source>
        <translation>不是配置文件：JSON 不是对象</translation>
    </message>
    <message>
        <source>the key &quot;%1&quot; stands twice</source>
        <translation>键“%1”出现了两次</translation>
    </message>
    <message>
        <source>not a configuration file: format is not &quot;%1&quot;</source>
        <translation>不是配置文件：格式不是“%1”</translation>
    </message>
    <message>
        <source>unknown format version</source>
        <translation>未知的格式版本</translation>
    </message>
    <message>
        <source>made by a newer program: format version %1, this program reads up to %2</source>
        <translation>由较新的程序生成：格式版本 %1，本程序最多读取 %2</translation>
    </message>
    <message>
        <source>items: missing or not an object</source>
        <translation>items：缺失或不是对象</translation>
    </message>
    <message>
        <source>unknown item &quot;%1&quot;</source>
        <translation>未知项“%1”</translation>
    </message>
    <message>
        <source>item &quot;%1&quot;: %2</source>
        <translation>项“%1”：%2</translation>
    </message>
    <message>
        <source>%1: not saved: %2</source>
        <translation>%1：未保存：%2</translation>
    </message>
    <message>
        <source>Read %1</source>
        <translation>已读取 %1</translation>
    </message>
    <message>
        <source>%1 of %2 requests had to be sent again.</source>
        <translation>%2 个请求中有 %1 个需要重发。</translation>
    </message>
    <message>
        <source> (%1 of %2 requests sent again)</source>
        <translation>（%2 个请求中有 %1 个重发）</translation>
    </message>
    <message>
        <source>%1; %2: %3.</source>
        <translation>%1；%2：%3。</translation>
    </message>
</context>
<context>
    <name>config::History</name>
    <message>
        <source>verified</source>
        <translation>已校验</translation>
    </message>
    <message>
        <source>refused</source>
        <translation>被拒绝</translation>
    </message>
    <message>
        <source>no answer</source>
        <translation>无应答</translation>
    </message>
    <message>
        <source>the device may have taken the value</source>
        <translation>设备可能已接受该值</translation>
    </message>
</context>
<context>
    <name>config::LoopTest</name>
    <message>
        <source>&quot;%1&quot; is not a current in mA</source>
        <translation>“%1”不是以 mA 为单位的电流值</translation>
    </message>
    <message>
        <source>%1 mA is outside %2 to %3 mA</source>
        <translation>%1 mA 超出 %2 到 %3 mA 的范围</translation>
    </message>
    <message>
        <source>at most %1 points</source>
        <translation>最多 %1 个测试点</translation>
    </message>
    <message>
        <source>the identify answer is too short</source>
        <translation>识别应答过短</translation>
    </message>
    <message>
        <source>cancelled</source>
        <translation>已取消</translation>
    </message>
    <message>
        <source>the device reports %1 mA</source>
        <translation>设备报告 %1 mA</translation>
    </message>
    <message>
        <source>The loop current follows the process again.</source>
        <translation>回路电流已重新跟随过程值。</translation>
    </message>
    <message>
        <source>The loop current may still be fixed: %1. Take the device out of fixed current mode before the loop is used.</source>
        <translation>回路电流可能仍处于固定状态：%1。在使用回路之前，请先使设备退出固定电流模式。</translation>
    </message>
</context>
<context>
    <name>converter</name>
    <message>
        <source>Data eeore!</source>
        <translation>数据错误！</translation>
    </message>
    <message>
        <source>0-Close</source>
        <translation>0-关闭</translation>
    </message>
    <message>
        <source>1-Open</source>
        <translation>1-打开</translation>
    </message>
    <message>
        <source>1-Instruction 1</source>
        <translation>1-指令 1</translation>
    </message>
    <message>
        <source>2-Instruction 2</source>
        <translation>2-指令 2</translation>
    </message>
    <message>
        <source>3-Instruction 3</source>
        <translation>3-指令 3</translation>
    </message>
    <message>
        <source>4-Instruction 4</source>
        <translation>4-指令 4</translation>
    </message>
    <message>
        <source>3-Unsigned int(4321)</source>
        <translation>3-无符号整数（4321）</translation>
    </message>
    <message>
        <source>4-Unsigned int(2143)</source>
        <translation>4-无符号整数（2143）</translation>
    </message>
    <message>
        <source>5-Unsigned int(1234)</source>
        <translation>5-无符号整数（1234）</translation>
    </message>
    <message>
        <source>6-Signed int(4321)</source>
        <translation>6-有符号整数（4321）</translation>
    </message>
    <message>
        <source>7-Signed int(2143)</source>
        <translation>7-有符号整数（2143）</translation>
    </message>
    <message>
        <source>8-Signed int</source>
        <translation>8-有符号整数</translation>
    </message>
    <message>
        <source>9-Signed int(invert)</source>
        <translation>9-有符号整数（取反）</translation>
    </message>
    <message>
        <source>10-Signed int(not inverted)</source>
        <translation>10-有符号整数（不取反）</translation>
    </message>
    <message>
        <source>11-BCD(high low order)</source>
        <translation>11-BCD 码（高位在前）</translation>
    </message>
    <message>
        <source>12-BCD(low high order)</source>
        <translation>12-BCD 码（低位在前）</translation>
    </message>
    <message>
        <source>13-Character string(high low order)</source>
        <translation>13-字符串（高位在前）</translation>
    </message>
    <message>
        <source>14-Character string(low high order)</source>
        <translation>14-字符串（低位在前）</translation>
    </message>
    <message>
        <source>15-Double(high low order)</source>
        <translation>15-双精度（高位在前）</translation>
    </message>
    <message>
        <source>16-Double(low high order）</source>
        <translation>16-双精度（低位在前）</translation>
    </message>
    <message>
        <source>17-BCD(low high order-0X33)</source>
        <translation>17-BCD 码（低位在前-0X33）</translation>
    </message>
    <message>
        <source>18-Integer(bits 0,1 are positive, others are negative)</source>
        <translation>18-整数（0、1 位为正，其余为负）</translation>
    </message>
    <message>
        <source>19-Octet integer(Four bits higher*coefficient+low four)</source>
        <translation>19-八位整数（高四位*系数+低四位）</translation>
    </message>
    <message>
        <source>20-Octet integer(Four bits lower*coefficient+high four)</source>
        <translation>20-八位整数（低四位*系数+高四位）</translation>
    </message>
    <message>
        <source>21-Raw data</source>
        <translation>21-原始数据</translation>
    </message>
    <message>
        <source>22-Arrange in byte order from low to high</source>
        <translation>22-按字节从低到高排列</translation>
    </message>
    <message>
        <source>23-Arrange in byte order from high to low</source>
        <translation>23-按字节从高到低排列</translation>
    </message>
    <message>
        <source>24-Four digit unsigned integer (4321)+exponent</source>
        <translation>24-四位无符号整数（4321）+指数</translation>
    </message>
    <message>
        <source>25-Four digit unsigned integer (2143)+exponent</source>
        <translation>25-四位无符号整数（2143）+指数</translation>
    </message>
    <message>
        <source>26-Positioning status</source>
        <translation>26-定位状态</translation>
    </message>
    <message>
        <source>None</source>
        <translation>无</translation>
    </message>
    <message>
        <source>Odd</source>
        <translation>奇校验</translation>
    </message>
    <message>
        <source>Even</source>
        <translation>偶校验</translation>
    </message>
    <message>
        <source>1_AD1(analog)</source>
        <translation>1_AD1（模拟量）</translation>
    </message>
    <message>
        <source>2_AD2(analog)</source>
        <translation>2_AD2（模拟量）</translation>
    </message>
    <message>
        <source>3_AD3(RS485 direct reading)</source>
        <translation>3_AD3（RS485 直读）</translation>
    </message>
    <message>
        <source>4_AD4(RS485 direct reading)</source>
        <translation>4_AD4（RS485 直读）</translation>
    </message>
    <message>
        <source>5_AD5(RS485 direct reading)</source>
        <translation>5_AD5（RS485 直读）</translation>
    </message>
    <message>
        <source>6_AD6(RS485 direct reading)</source>
        <translation>6_AD6（RS485 直读）</translation>
    </message>
    <message>
        <source>7_AD3(analog)</source>
        <translation>7_AD3（模拟量）</translation>
    </message>
    <message>
        <source>8_AD4(analog)</source>
        <translation>8_AD4（模拟量）</translation>
    </message>
    <message>
        <source>0-Float（4321）</source>
        <translation>0-浮点数（4321）</translation>
    </message>
    <message>
        <source>1-Float（2143）</source>
        <translation>1-浮点数（2143）</translation>
    </message>
    <message>
        <source>2-Float（1234）</source>
        <translation>2-浮点数（1234）</translation>
    </message>
    <message>
        <source>NO SPACK</source>
        <translation>缺少空格</translation>
    </message>
</context>
<context>
    <name>device</name>
    <message>
        <source>longer than 32 bytes</source>
        <translation>超过 32 字节</translation>
    </message>
    <message>
        <source>a zero byte would end it early</source>
        <translation>零字节会使其提前结束</translation>
    </message>
    <message>
        <source>holds a control character (%1)</source>
        <translation>含有控制字符（%1）</translation>
    </message>
    <message>
        <source>The port failed; live values stopped.</source>
        <translation>串口故障；实时值已停止。</translation>
    </message>
    <message>
        <source>%1 samples</source>
        <translation>%1 个采样</translation>
    </message>
    <message>
        <source>, %1/s</source>
        <translation>，%1/秒</translation>
    </message>
    <message>
        <source>; no answer since %1 (%2, %3 in a row)</source>
        <translation>；自 %1 起无应答（%2，连续 %3 次）</translation>
    </message>
    <message>
        <source>address %1: manufacturer %2 (0x%3), device type %4 (0x%5), unique id %6 (0x%7), HART %8, %9 preambles</source>
        <translation>地址 %1：制造商 %2 (0x%3)，设备类型 %4 (0x%5)，唯一标识 %6 (0x%7)，HART %8，%9 个前导码</translation>
    </message>
</context>
<context>
    <name>hart</name>
    <message>
        <source>Write failed!</source>
        <translation>写入失败！</translation>
    </message>
    <message>
        <source>Write successful!</source>
        <translation>写入成功！</translation>
    </message>
    <message>
        <source>Write failed!The instruction is not defined!</source>
        <translation>写入失败！指令未定义！</translation>
    </message>
    <message>
        <source>Write failed!The parameter value is too small!</source>
        <translation>写入失败！参数值过小！</translation>
    </message>
    <message>
        <source>Write failed!Setting parameters too small!</source>
        <translation>写入失败！设置参数过小！</translation>
    </message>
    <message>
        <source>Write failed!Received less data!</source>
        <translation>写入失败！接收数据过少！</translation>
    </message>
    <message>
        <source>Write failed!Sending command error!</source>
        <translation>写入失败！发送命令错误！</translation>
    </message>
    <message>
        <source>Write failed!Write protect!</source>
        <translation>写入失败！写保护！</translation>
    </message>
    <message>
        <source>Write failed!Setting parameters may have value!</source>
        <translation>写入失败！设置参数可能有值！</translation>
    </message>
    <message>
        <source>Write failed!Setting parameters may not be useful!</source>
        <translation>写入失败！设置参数可能无效！</translation>
    </message>
    <message>
        <source>Write failed!Channel restricted!</source>
        <translation>写入失败！通道受限！</translation>
    </message>
    <message>
        <source>upload successful!</source>
        <translation>上传成功！</translation>
    </message>
    <message>
        <source>upload failed!</source>
        <translation>上传失败！</translation>
    </message>
    <message>
        <source>Upload data timeout!</source>
        <translation>上传数据超时！</translation>
    </message>
    <message>
        <source>Writing data timeout!</source>
        <translation>写入数据超时！</translation>
    </message>
    <message>
        <source>Uploading..!</source>
        <translation>正在上传..！</translation>
    </message>
    <message>
        <source>Uploading...!</source>
        <translation>正在上传...！</translation>
    </message>
    <message>
        <source>Please wait, it is currently being downloaded....</source>
        <translation>请稍候，正在下载....</translation>
    </message>
    <message>
        <source>Please wait, it is currently being downloaded.....</source>
        <translation>请稍候，正在下载.....</translation>
    </message>
    <message>
        <source>answered</source>
        <translation>已应答</translation>
    </message>
    <message>
        <source>no answer</source>
        <translation>无应答</translation>
    </message>
    <message>
        <source>broken answer frame</source>
        <translation>应答帧损坏</translation>
    </message>
    <message>
        <source>device busy</source>
        <translation>设备忙</translation>
    </message>
    <message>
        <source>the port failed</source>
        <translation>串口故障</translation>
    </message>
    <message>
        <source>cancelled</source>
        <translation>已取消</translation>
    </message>
    <message>
        <source>unknown failure</source>
        <translation>未知故障</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>正常</translation>
    </message>
    <message>
        <source>Success</source>
        <translation>成功</translation>
    </message>
    <message>
        <source>Undefined</source>
        <translation>未定义</translation>
    </message>
    <message>
        <source>Invalid selection</source>
        <translation>无效选择</translation>
    </message>
    <message>
        <source>Passed parameter too large</source>
        <translation>传入参数过大</translation>
    </message>
    <message>
        <source>Passed parameter too small</source>
        <translation>传入参数过小</translation>
    </message>
    <message>
        <source>Too few data bytes received</source>
        <translation>接收的数据字节过少</translation>
    </message>
    <message>
        <source>Device-specific command error</source>
        <translation>设备专用命令错误</translation>
    </message>
    <message>
        <source>In write protect mode</source>
        <translation>处于写保护模式</translation>
    </message>
    <message>
        <source>Access restricted</source>
        <translation>访问受限</translation>
    </message>
    <message>
        <source>Invalid device variable index</source>
        <translation>无效的设备变量索引</translation>
    </message>
    <message>
        <source>Invalid units code</source>
        <translation>无效的单位代码</translation>
    </message>
    <message>
        <source>Device variable index not allowed</source>
        <translation>不允许的设备变量索引</translation>
    </message>
    <message>
        <source>Invalid extended command number</source>
        <translation>无效的扩展命令号</translation>
    </message>
    <message>
        <source>Busy</source>
        <translation>设备忙</translation>
    </message>
    <message>
        <source>Delayed response initiated</source>
        <translation>延迟响应已启动</translation>
    </message>
    <message>
        <source>Delayed response running</source>
        <translation>延迟响应进行中</translation>
    </message>
    <message>
        <source>Delayed response dead</source>
        <translation>延迟响应已失效</translation>
    </message>
    <message>
        <source>Delayed response conflict</source>
        <translation>延迟响应冲突</translation>
    </message>
    <message>
        <source>Command not implemented</source>
        <translation>命令未实现</translation>
    </message>
    <message>
        <source>Command-specific error</source>
        <translation>命令专用错误</translation>
    </message>
    <message>
        <source>Command-specific warning</source>
        <translation>命令专用警告</translation>
    </message>
    <message>
        <source>the device answered: %1 (response code %2)</source>
        <translation>设备应答：%1（响应码 %2）</translation>
    </message>
    <message>
        <source>Field device malfunction</source>
        <translation>现场设备故障</translation>
    </message>
    <message>
        <source>Configuration changed</source>
        <translation>组态已更改</translation>
    </message>
    <message>
        <source>Cold start</source>
        <translation>冷启动</translation>
    </message>
    <message>
        <source>More status available</source>
        <translation>有更多状态信息</translation>
    </message>
    <message>
        <source>Loop current fixed</source>
        <translation>回路电流已固定</translation>
    </message>
    <message>
        <source>Loop current saturated</source>
        <translation>回路电流饱和</translation>
    </message>
    <message>
        <source>Non-primary variable out of limits</source>
        <translation>非主变量超限</translation>
    </message>
    <message>
        <source>Primary variable out of limits</source>
        <translation>主变量超限</translation>
    </message>
</context>
<context>
    <name>line</name>
    <message>
        <source>&apos;%1&apos; is no HART-IP address: a ] is missing.</source>
        <translation>“%1”不是 HART-IP 地址：缺少 ]。</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is no HART-IP address: write HOST or HOST:PORT.</source>
        <translation>“%1”不是 HART-IP 地址：请写作 HOST 或 HOST:PORT。</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is no HART-IP address: the port is not a number from 1 to 65535.</source>
        <translation>“%1”不是 HART-IP 地址：端口不是 1 到 65535 之间的数字。</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is no HART-IP address: the host is missing.</source>
        <translation>“%1”不是 HART-IP 地址：缺少主机。</translation>
    </message>
    <message>
        <source>%1 did not answer the session request in time.</source>
        <translation>%1 未及时应答会话请求。</translation>
    </message>
</context>
<context>
    <name>line::HartIpPort</name>
    <message>
        <source>%1 did not answer the session request in time.</source>
        <translation>%1 未及时应答会话请求。</translation>
    </message>
    <message>
        <source>Cannot find the host %1: %2.</source>
        <translation>找不到主机 %1：%2。</translation>
    </message>
    <message>
        <source>the server closed the connection</source>
        <translation>服务器关闭了连接</translation>
    </message>
    <message>
        <source>nothing answers at that address and port</source>
        <translation>该地址和端口上没有任何应答</translation>
    </message>
    <message>
        <source>The connection to %1 was lost: %2.</source>
        <translation>与 %1 的连接已中断：%2。</translation>
    </message>
    <message>
        <source>Cannot reach %1: %2.</source>
        <translation>无法连接到 %1：%2。</translation>
    </message>
    <message>
        <source>The server at %1 stopped answering.</source>
        <translation>%1 处的服务器已停止应答。</translation>
    </message>
    <message>
        <source>%1 sent bytes that are no HART-IP message (%2).</source>
        <translation>%1 发送的字节不是 HART-IP 报文（%2）。</translation>
    </message>
    <message>
        <source>short header</source>
        <translation>报头过短</translation>
    </message>
    <message>
        <source>wrong version</source>
        <translation>版本错误</translation>
    </message>
    <message>
        <source>unknown message type</source>
        <translation>未知报文类型</translation>
    </message>
    <message>
        <source>unknown message id</source>
        <translation>未知报文 ID</translation>
    </message>
    <message>
        <source>byte count below the header</source>
        <translation>字节数小于报头长度</translation>
    </message>
    <message>
        <source>byte count past the end</source>
        <translation>字节数超出末尾</translation>
    </message>
    <message>
        <source>message too long</source>
        <translation>报文过长</translation>
    </message>
    <message>
        <source>rejected</source>
        <translation>已拒绝</translation>
    </message>
    <message>
        <source>it does not take this master type</source>
        <translation>它不接受此主站类型</translation>
    </message>
    <message>
        <source>too few data bytes</source>
        <translation>数据字节过少</translation>
    </message>
    <message>
        <source>HART-IP version not supported</source>
        <translation>不支持该 HART-IP 版本</translation>
    </message>
    <message>
        <source>all available sessions in use</source>
        <translation>所有可用会话均已占用</translation>
    </message>
    <message>
        <source>a session is already established</source>
        <translation>会话已经建立</translation>
    </message>
    <message>
        <source>status %1</source>
        <translation>状态 %1</translation>
    </message>
    <message>
        <source>no error code given</source>
        <translation>未给出错误代码</translation>
    </message>
    <message>
        <source>session closed</source>
        <translation>会话已关闭</translation>
    </message>
    <message>
        <source>primary master unavailable</source>
        <translation>主主站不可用</translation>
    </message>
    <message>
        <source>service unavailable</source>
        <translation>服务不可用</translation>
    </message>
    <message>
        <source>error code %1</source>
        <translation>错误代码 %1</translation>
    </message>
    <message>
        <source>%1 ended the session: %2.</source>
        <translation>%1 结束了会话：%2。</translation>
    </message>
    <message>
        <source>%1 refused the session: %2.</source>
        <translation>%1 拒绝了会话：%2。</translation>
    </message>
</context>
<context>
    <name>report::Report</name>
    <message>
        <source>Manufacturer</source>
        <translation>制造商</translation>
    </message>
    <message>
        <source>Device type</source>
        <translation>设备类型</translation>
    </message>
    <message>
        <source>Unique identifier</source>
        <translation>唯一标识符</translation>
    </message>
    <message>
        <source>Polling address</source>
        <translation>轮询地址</translation>
    </message>
    <message>
        <source>Set (mA)</source>
        <translation>设定值 (mA)</translation>
    </message>
    <message>
        <source>Device reports (mA)</source>
        <translation>设备报告值 (mA)</translation>
    </message>
    <message>
        <source>Control system reads (mA)</source>
        <translation>控制系统读数 (mA)</translation>
    </message>
    <message>
        <source>Deviation (mA)</source>
        <translation>偏差 (mA)</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>结果</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>时间</translation>
    </message>
    <message>
        <source>Item</source>
        <translation>项目</translation>
    </message>
    <message>
        <source>Before</source>
        <translation>写入前</translation>
    </message>
    <message>
        <source>After</source>
        <translation>写入后</translation>
    </message>
    <message>
        <source>Outcome</source>
        <translation>结果</translation>
    </message>
    <message>
        <source>Program</source>
        <translation>程序</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>设备</translation>
    </message>
    <message>
        <source>Configuration</source>
        <translation>配置</translation>
    </message>
    <message>
        <source>Loop test</source>
        <translation>回路测试</translation>
    </message>
    <message>
        <source>Writes to this device</source>
        <translation>对该设备的写入</translation>
    </message>
    <message>
        <source>not known</source>
        <translation>未知</translation>
    </message>
    <message>
        <source>Tag</source>
        <translation>位号</translation>
    </message>
    <message>
        <source>Long tag</source>
        <translation>长位号</translation>
    </message>
    <message>
        <source>Descriptor</source>
        <translation>描述符</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>消息</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>日期</translation>
    </message>
    <message>
        <source>passed</source>
        <translation>通过</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>失败</translation>
    </message>
    <message>
        <source>Commissioning report</source>
        <translation>调试报告</translation>
    </message>
    <message>
        <source>Date and time</source>
        <translation>日期和时间</translation>
    </message>
    <message>
        <source>Tool version</source>
        <translation>工具版本</translation>
    </message>
    <message>
        <source>Operator</source>
        <translation>操作员</translation>
    </message>
    <message>
        <source>Values from</source>
        <translation>数值来源</translation>
    </message>
    <message>
        <source>No loop test of this device is on record.</source>
        <translation>没有该设备的回路测试记录。</translation>
    </message>
    <message>
        <source>No writes to this device are on record.</source>
        <translation>没有对该设备的写入记录。</translation>
    </message>
    <message>
        <source>Signature:</source>
        <translation>签名：</translation>
    </message>
    <message>
        <source>Date:</source>
        <translation>日期：</translation>
    </message>
    <message>
        <source>The writes to this device are not known: the history could not be read (%1).</source>
        <translation>对该设备的写入情况未知：无法读取历史记录（%1）。</translation>
    </message>
    <message>
        <source>%1 damaged line(s) of the history were skipped; writes recorded there are not shown.</source>
        <translation>已跳过历史记录中 %1 行损坏的内容；其中记录的写入未显示。</translation>
    </message>
</context>
</TS>
