#include "app/field_text.h"
#include "app/tform1.h"
#include "line/hart_ip_port.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace app {

bool TForm1::OpenNetworkLine()
{
    const QString name = ui_.SPREALCOM->currentText().trimmed();
    const auto parsed = line::ParseHartIpName(name.toStdString());
    if (!parsed)
        return false;
    if (!parsed->ok()) {
        ShowError(Text(parsed->error()));
        return true;
    }
    DropNetworkLine();
    auto* port = new line::HartIpPort(this);
    hartIp_ = port;
    port->SetTrafficSink(trafficSink_);
    connect(port, &line::HartIpPort::Opened, this, [this, port] {
        ui_.Button1->setEnabled(true);
        switch_->SetTarget(*port);
        PortOpened();
    });
    connect(port, &line::HartIpPort::Failed, this, [this](const QString& why) {
        ui_.Button1->setEnabled(true);
        ui_.Label68->clear();
        DropNetworkLine();
        ShowError(why);
    });
    connect(port, &line::HartIpPort::Lost, this, &TForm1::PortLost);
    // Answers go where the serial port's deliveries go: to whoever holds the line.
    connect(port, &line::HartIpPort::Received, this, [this](const QByteArray& frame) {
        lineOwner_.Deliver({reinterpret_cast<const std::uint8_t*>(frame.constData()), static_cast<std::size_t>(frame.size())});
    });
    // Open until the session is set up or refused: a second press would race it.
    ui_.Button1->setEnabled(false);
    ui_.Label68->setText(tr("Connecting to %1...").arg(name));
    port->Open(parsed->value());
    return true;
}

void TForm1::DropNetworkLine()
{
    switch_->SetTarget(*serialPort_);
    if (hartIp_) {
        hartIp_->Close();
        hartIp_->deleteLater();
        hartIp_ = nullptr;
    }
}

} // namespace app
