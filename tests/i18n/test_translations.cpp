// The translations are complete, and the window and the command line show them for the system's language.
#include "app/scan_live.h"
#include "app/tform1.h"
#include "i18n/translators.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QTabWidget>
#include <QTest>
#include <QTranslator>
#include <QXmlStreamReader>

namespace {

// The placeholders of a text, sorted: a translation must keep every %1, %2... (it may reorder them).
QStringList Placeholders(const QString& text)
{
    static const QRegularExpression placeholder(QStringLiteral("%(\\d+|n|v|m)"));
    QStringList found;
    for (auto it = placeholder.globalMatch(text); it.hasNext();)
        found << it.next().captured(0);
    found.sort();
    return found;
}

// Lists of data, not words: ports, polling addresses, unit names of the device's tables.
const QSet<QString> kDataLists{"SPREALCOM", "ComboBox9", "ComboBox3", "ComboBox5", "ComboBox15", "ComboBox16",
    "ComboBox6", "WEI1", "WEI2", "WEI3", "WEI4"};

// Every text a user reads on the window and the windows it opens (traffic, trend, find devices), in widget
// order.
QStringList VisibleTexts(app::TForm1& form)
{
    form.findChild<QPushButton*>("TrafficButton")->click();
    form.FindAndWatch().Trend();
    form.FindAndWatch().FindDevices();
    QStringList texts;
    for (const QWidget* w : form.findChildren<QWidget*>()) {
        texts << w->toolTip();
        if (w->isWindow())
            texts << w->windowTitle();
        if (const auto* label = qobject_cast<const QLabel*>(w))
            texts << label->text();
        else if (const auto* button = qobject_cast<const QAbstractButton*>(w))
            texts << button->text();
        else if (const auto* group = qobject_cast<const QGroupBox*>(w))
            texts << group->title();
        else if (const auto* combo = qobject_cast<const QComboBox*>(w); combo && !kDataLists.contains(combo->objectName()))
            for (int i = 0; i < combo->count(); ++i)
                texts << combo->itemText(i);
        else if (const auto* tabs = qobject_cast<const QTabWidget*>(w))
            for (int i = 0; i < tabs->count(); ++i)
                texts << tabs->tabText(i) << tabs->tabToolTip(i);
    }
    return texts;
}

class TestTranslations : public QObject {
    Q_OBJECT

private slots:
    void tsComplete_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("zh_CN") << QStringLiteral(MH_I18N_DIR "/modbus-hart_zh_CN.ts");
        QTest::newRow("de") << QStringLiteral(MH_I18N_DIR "/modbus-hart_de.ts");
    }

    void tsComplete()
    {
        QFETCH(QString, file);
        QFile ts(file);
        QVERIFY2(ts.open(QIODevice::ReadOnly), qPrintable(file));
        QXmlStreamReader xml(&ts);
        QString source;
        int messages = 0;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == u"source") {
                source = xml.readElementText();
            } else if (xml.name() == u"translation") {
                const QString type = xml.attributes().value("type").toString();
                const QString text = xml.readElementText();
                ++messages;
                QVERIFY2(type.isEmpty(), qPrintable(QStringLiteral("%1 entry: %2").arg(type, source)));
                QVERIFY2(!text.isEmpty(), qPrintable(QStringLiteral("empty translation: ") + source));
                QCOMPARE(Placeholders(text), Placeholders(source));
                QCOMPARE(text.count(u'&') % 2, source.count(u'&') % 2);
            }
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QVERIFY(messages > 200);
    }

    // Built once in English and once in the language: every text that stays the same must be one that reads
    // the same in both.
    void windowTranslated_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QStringList>("same");
        const QStringList everywhere{"", "MODBUS-HART", "V4.2(2023-08- 10)", "Quorvane Instruments Co., Ltd.",
            "www.quorvane.example", "mA", "%", "***", "* 0.1S", "DT", "AD1:", "AD2:", "AD3:", "AD4:", "1200", "2400",
            "4800", "9600", "19200", "38400", "57600", "0-15", "0-63"};
        QTest::newRow("zh_CN") << "zh_CN" << everywhere;
        QTest::newRow("de") << "de_DE"
                            << everywhere + QStringList{"Live", "Pause", "Variable 1:", "Variable 2:", "Variable 3:",
                                   "Variable 4:", "OUT  DC20mA:", "OUT  DC4mA:", "Byte 2:"};
    }

    void windowTranslated()
    {
        QFETCH(QString, locale);
        QFETCH(QStringList, same);
        QStringList english;
        {
            app::TForm1 form;
            english = VisibleTexts(form);
        }
        QVERIFY(english.contains("Line Traffic") && english.contains("Live Values") && english.contains("Scan"));
        QVERIFY(i18n::InstallTranslators(*QCoreApplication::instance(), QLocale(locale)));
        QStringList translated;
        {
            app::TForm1 form;
            translated = VisibleTexts(form);
        }
        for (QTranslator* t : QCoreApplication::instance()->findChildren<QTranslator*>()) {
            QCoreApplication::removeTranslator(t);
            delete t;
        }
        QCOMPARE(translated.size(), english.size());
        const QSet<QString> allowed(same.begin(), same.end());
        for (qsizetype i = 0; i < english.size(); ++i)
            if (translated[i] == english[i] && !allowed.contains(english[i]))
                QFAIL(qPrintable(QStringLiteral("not translated: \"%1\"").arg(english[i])));
    }

    void helpTranslated_data()
    {
        QTest::addColumn<QString>("lang");
        QTest::addColumn<QString>("usage");
        QTest::newRow("English") << "C" << "Usage: modbus-hart-config";
        QTest::newRow("zh_CN") << "zh_CN.UTF-8" << "用法：modbus-hart-config";
        QTest::newRow("de") << "de_DE.UTF-8" << "Aufruf: modbus-hart-config";
    }

    void helpTranslated()
    {
        QFETCH(QString, lang);
        QFETCH(QString, usage);
        QProcess cli;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANGUAGE"})
            env.remove(name);
        env.insert("LANG", lang);
        cli.setProcessEnvironment(env);
        cli.start(MH_CONFIG_PROGRAM, {"--help"});
        QVERIFY(cli.waitForFinished(30000));
        QCOMPARE(cli.exitCode(), 0);
        const QString help = QString::fromUtf8(cli.readAllStandardOutput());
        QVERIFY2(help.startsWith(usage), qPrintable(help.left(80)));
        // The options keep their names in every language.
        QVERIFY(help.contains("--with-identity"));
        QCOMPARE(help.contains("Exit status:"), lang == "C");
    }
};

} // namespace

QTEST_MAIN(TestTranslations)
#include "test_translations.moc"
