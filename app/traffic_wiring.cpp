// The window's view of the line: every write and delivery goes to one traffic
// sink, which feeds the traffic window and the device status in the status panel.
#include "app/tform1.h"
#include "app/traffic_model.h"
#include "app/traffic_window.h"
#include "hart/delivery_joiner.h"
#include "hart/frame_decoder.h"
#include "hart/hart_ip.h"
#include "hart/tapped_port.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QThread>

#include <memory>

namespace app {

namespace {

// Owns the tap for as long as the window lives.
class PortTap : public QObject {
public:
    PortTap(hart::BytePort& inner, hart::TrafficSink sink, QObject* parent)
        : QObject(parent), port(inner, std::move(sink))
    {
    }
    hart::TappedPort port;
};

// The device's own word on its state, from each whole answer on the line.
// Deliveries may cut an answer anywhere: they are joined as the traffic
// window joins them.
class DeviceStatusWatch {
public:
    void SetBaud(std::uint32_t baud) { joiner_.SetBaud(baud); }
    std::optional<QString> Take(const hart::TrafficRecord& record)
    {
        if (record.network) {
            // A HART-IP answer's frame, with the preambles the network leaves out.
            const auto parsed = hart::ip::Parse(record.bytes);
            if (record.direction == hart::Direction::Sent || !parsed.message
                || parsed.message->header.id != hart::ip::MessageId::PassThrough)
                return std::nullopt;
            return Take({record.direction, record.timeNs, hart::ip::WithPreambles(parsed.message->body)});
        }
        std::optional<QString> text;
        for (const auto& run : joiner_.Add(record)) {
            if (run.direction == hart::Direction::Sent)
                continue;
            for (const auto& p : hart::DecodeLine(run.bytes)) {
                if (p.kind != hart::PieceKind::Frame || !p.checksumOk || !p.responseCode || p.type == hart::FrameType::Request)
                    continue;
                // The words of the status bits in the user's language; the traffic itself stays in English.
                QStringList words;
                if (!hart::IsCommunicationError(*p.responseCode))
                    for (const auto word : hart::DeviceStatusWords(*p.deviceStatus))
                        words << QCoreApplication::translate("hart", std::string(word).c_str());
                text = hart::IsCommunicationError(*p.responseCode)
                           ? QString::fromStdString(hart::ResponseCodeText(*p.responseCode))
                       : words.isEmpty() ? QCoreApplication::translate("hart", "OK")
                                         : words.join(TForm1::tr(", "));
            }
        }
        return text;
    }

private:
    hart::DeliveryJoiner joiner_;
};

} // namespace

void TForm1::WireTraffic()
{
    auto* model = new TrafficModel(this);

    auto* caption = new QLabel(tr("Device Status:"), ui_.Panel1);
    caption->setObjectName("DeviceStatusCaption");
    auto* status = new QLabel(ui_.Panel1);
    status->setObjectName("DeviceStatusLabel");
    status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* open = new QPushButton(tr("Traffic…"), ui_.Panel1);
    open->setObjectName("TrafficButton");
    trafficButton_ = open;
    open->setToolTip(tr("Every frame on the line, decoded"));
    auto* row = new QHBoxLayout;
    row->setSpacing(6);
    row->addWidget(caption);
    row->addWidget(status, 1);
    row->addWidget(open);
    if (auto* rows = qobject_cast<QVBoxLayout*>(ui_.Panel1->layout()))
        rows->addLayout(row);

    auto watch = std::make_shared<DeviceStatusWatch>();
    auto take = [model, status, watch](const hart::TrafficRecord& record) {
        model->Append(record);
        if (const auto text = watch->Take(record))
            status->setText(*text);
    };
    // Records may come from a worker of the batch path: widgets only see them here.
    trafficSink_ = [this, take](const hart::TrafficRecord& record) {
        if (QThread::currentThread() == thread())
            take(record);
        else
            QMetaObject::invokeMethod(this, [take, record] { take(record); }, Qt::QueuedConnection);
    };

    // Everything written goes through the tap: the link's requests and the
    // batches wired after this one, which write to linePort_.
    auto* tap = new PortTap(comm1_, trafficSink_, this);
    linePort_ = &tap->port;
    link_.SetPort(linePort_);
    auto deliver = comm1_.OnReceiveData;
    comm1_.OnReceiveData = [this, deliver, model, watch](serial::TComm* sender, const void* buffer, std::uint16_t length) {
        if (buffer && length) {
            // How long the rest of a cut answer may take depends on the line's speed.
            model->SetBaud(comm1_.BaudRate());
            watch->SetBaud(comm1_.BaudRate());
            const auto* p = static_cast<const std::uint8_t*>(buffer);
            trafficSink_({hart::Direction::Received, hart::TappedPort::NowNs(), {p, p + length}});
        }
        if (deliver)
            deliver(sender, buffer, length);
    };

    // A new port is a new device: its old status no longer holds.
    connect(ui_.Button1, &QPushButton::clicked, status, &QLabel::clear);

    connect(open, &QPushButton::clicked, this, [this, model] {
        if (!trafficWindow_) {
            TrafficWindow::Options o;
            o.showError = options_.showError;
            trafficWindow_ = new TrafficWindow(*model, o, this);
        }
        TrafficWindow* window = trafficWindow_;
        window->show();
        window->raise();
        window->activateWindow();
    });
}

} // namespace app
