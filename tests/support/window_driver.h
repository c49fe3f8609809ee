#pragma once

// Drives the real main window headless: the simulated converter behind a
// pseudo-terminal, the real serial threads and the real event loop.
#include "app/combo_index.h"
#include "app/tform1.h"
#include "sim/pty_simulator.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <functional>

namespace testing {

class WindowDriver {
public:
    explicit WindowDriver(bool lineTiming = false)
        : form(Options(lineTiming, this))
    {
        QObject::connect(&form.Link(), &hart::HartLink::AnswerHandled, [this](int, bool) { ++answers; });
    }

    template <typename T = QWidget>
    T* w(const char* name) const
    {
        T* found = form.findChild<T*>(name);
        if (!found)
            qFatal("no control named %s", name);
        return found;
    }
    QString text(const char* name) const
    {
        if (auto* e = form.findChild<QLineEdit*>(name))
            return e->text();
        if (auto* l = form.findChild<QLabel*>(name))
            return l->text();
        if (auto* c = form.findChild<QComboBox*>(name))
            return c->currentText();
        if (auto* b = form.findChild<QPushButton*>(name))
            return b->text();
        qFatal("no text control named %s", name);
    }
    QString status() const { return text("Label68"); }
    void setText(const char* name, const QString& value) { w<QLineEdit>(name)->setText(value); }

    using Fields = QList<QPair<QString, QString>>;
    // Leaves a control as a user would: a text, a list item by its text or as "#n"
    // (empty for none), or the radio button to check.
    void put(const QString& name, const QString& value)
    {
        const QByteArray n = name.toLatin1();
        if (auto* e = form.findChild<QLineEdit*>(n)) {
            e->setText(value);
        } else if (auto* c = form.findChild<QComboBox*>(n)) {
            int index = -1;
            if (value.startsWith('#'))
                index = value.mid(1).toInt();
            else if (!value.isEmpty())
                index = c->findText(value, Qt::MatchExactly);
            QVERIFY2(value.isEmpty() || (index >= 0 && index < c->count()), qPrintable(name + ": no item " + value));
            app::SelectItem(c, index);
        } else if (auto* r = form.findChild<QRadioButton*>(n)) {
            r->setChecked(true);
        } else {
            QFAIL(qPrintable("no control " + name));
        }
    }
    void putAll(const Fields& fields)
    {
        for (const auto& [name, value] : fields) {
            put(name, value);
            if (QTest::currentTestFailed())
                return;
        }
    }

    // Opens the simulated converter; true when the window says "Close".
    bool open(const QString& port = app::kSimulatedPortName)
    {
        w<QComboBox>("SPREALCOM")->setEditText(port);
        QTest::mouseClick(w<QPushButton>("Button1"), Qt::LeftButton);
        return text("Button1") == "Close";
    }
    void close()
    {
        if (text("Button1") == "Close")
            QTest::mouseClick(w<QPushButton>("Button1"), Qt::LeftButton);
    }

    void withDevice(const std::function<void(sim::Device&)>& f)
    {
        QVERIFY(form.Simulator());
        form.Simulator()->WithDevice(f);
    }

    // Presses a button and waits until its transaction ends: the answer judged,
    // a time-out shown, or the input refused. Returns the transfer status.
    QString press(const char* button, int timeoutMs = 6000)
    {
        const int answersBefore = answers;
        const qsizetype refusalsBefore = errors.size() + messages.size();
        QTest::mouseClick(w<QPushButton>(button), Qt::LeftButton);
        const bool ended = QTest::qWaitFor(
            [&] {
                const QString s = status();
                return answers != answersBefore || errors.size() + messages.size() != refusalsBefore
                       || s == "Upload data timeout!" || s == "Writing data timeout!";
            },
            timeoutMs);
        if (!ended)
            return "(no outcome)";
        return status();
    }

    // Communication test at the selected address.
    QString identify() { return press("Button3"); }

    // What the configuration page's file dialogs answer.
    QString chosenFile;
    // What the yes/no questions asked, and the answer they all get.
    QStringList questions;
    bool answer = true;
    app::TForm1 form;
    int answers = 0;
    QStringList errors;
    QStringList messages;

private:
    static app::TForm1::Options Options(bool lineTiming, WindowDriver* self)
    {
        app::TForm1::Options o;
        o.sleep = [](int) {};
        o.showError = [self](const QString& t) { self->errors << t; };
        o.showMessage = [self](const QString& t) { self->messages << t; };
        o.simulatorLineTiming = lineTiming;
        o.chooseFile = [self](bool) { return self->chosenFile; };
        o.confirm = [self](const QString& q) {
            self->questions << q;
            return self->answer;
        };
        return o;
    }
};

} // namespace testing
