// The desktop window under QtTest, without a display (QT_QPA_PLATFORM=offscreen):
// what the user sees at start, the keys, the controls' places in dialog
// units, and a real conversion through the window.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <deque>

#include <QSvgRenderer>
#include <QSvgWidget>

#include "app/qt/map_window.h"
#include "app/qt/shirl_window.h"
#include "app/service/version.h"
#include "data/selections.h"

using shirl::FileDialogRequest;
using shirl::MessageIcon;
using shirl::qt::ShirlWindow;

namespace {

// The window with its message boxes, file dialogs and browser replaced.
class TestWindow : public ShirlWindow {
public:
    struct Shown {
        QString text;
        MessageIcon icon;
    };
    std::vector<Shown> messages;
    std::deque<std::optional<std::string>> fileAnswers;
    std::vector<FileDialogRequest> fileRequests;
    bool browserStarts = true;
    bool realBrowser = false;  // the window's own OpenUserGuide

    void ShowMessageBox(const std::string& text, MessageIcon icon) override {
        messages.push_back({QString::fromStdString(text), icon});
    }
    std::optional<std::string> RunFileDialog(const FileDialogRequest& request) override {
        fileRequests.push_back(request);
        if (fileAnswers.empty()) return std::nullopt;
        auto answer = fileAnswers.front();
        fileAnswers.pop_front();
        return answer;
    }
    bool OpenUserGuide() override { return realBrowser ? ShirlWindow::OpenUserGuide() : browserStarts; }

    template <typename T>
    T* control(const char* name) {
        T* widget = findChild<T*>(QLatin1String(name));
        if (widget == nullptr) qFatal("no control %s", name);
        return widget;
    }
    // Types into a name box as the keyboard would, replacing what it holds.
    void typeInto(const char* box, const QString& text) {
        auto* edit = control<QLineEdit>(box);
        if (!edit->text().isEmpty()) {
            edit->selectAll();
            QTest::keyClick(edit, Qt::Key_Backspace);
        }
        QTest::keyClicks(edit, text);
    }
    void typeInput(const QString& text) { typeInto("IDC_INPUT_NAME", text); }
    void typeOutput(const QString& text) { typeInto("IDC_OUTPUT_NAME", text); }
    void pickRow(int row) { control<QComboBox>("IDC_SELECTION")->setCurrentIndex(row); }
    void clickConvert() { QTest::mouseClick(control<QPushButton>("IDOK"), Qt::LeftButton); }
};

constexpr const char* kAlabamaLog =
    "Test log\n<EOH>\n"
    "<CALL:6>N0CALL <QSO_DATE:8>20200131 <TIME_ON:4>1234 <BAND:3>20M <MODE:2>CW <CNTY:4>AUTA <EOR>\n"
    "<CALL:5>K4XYZ <QSO_DATE:8>20200131 <TIME_ON:4>1240 <BAND:3>40M <MODE:3>SSB <CNTY:9>AUTA/BALD <EOR>\n"
    "<CALL:5>W4ABC <QSO_DATE:8>20200131 <TIME_ON:4>1250 <BAND:3>40M <MODE:2>CW <CNTY:4>QQQQ <EOR>\n";

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Shows the window and makes it the active one, also on a display without
// a window manager.
bool ShowActive(QWidget& w) {
    w.show();
    w.activateWindow();
    return QTest::qWaitForWindowActive(&w);
}

int RowOf(std::string_view code) {
    const auto order = shirl::DisplayOrder();
    for (std::size_t r = 0; r < order.size(); ++r)
        if (order[r].Code() == code) return static_cast<int>(r);
    return -1;
}

// Drops `urls` onto the window over `target` (any of its controls), as
// the drag manager delivers it: through the application, which hands it to
// the first widget up from `target` that accepts drops.
void DropUrls(QWidget* target, const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    const QPointF at = QPointF(target->rect().center());
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    QCoreApplication::processEvents();  // the window handles a drop once the drag has ended
}

int AlabamaRow() {
    const auto order = shirl::DisplayOrder();
    for (std::size_t r = 0; r < order.size(); ++r)
        if (order[r].Code() == "AL") return static_cast<int>(r);
    return -1;
}

struct ConvertedExample {
    QString out;         // the output name the window offered and wrote
    QByteArray printed;  // shirl-cli's report for the same names
};

// Converts examples/alabama-qso-party.adi with shirl-cli, then drops it onto
// the window, picks Alabama and presses Convert once; both write the
// output name the window offers, so that the reports are equal byte for
// byte. False (with a warning) when anything went wrong.
bool ConvertExample(const QTemporaryDir& dir, TestWindow& w, ConvertedExample& example) {
    const QString in = dir.filePath(QStringLiteral("party.adi"));
    example.out = dir.filePath(QStringLiteral("party-converted.adi"));
    if (!dir.isValid() || !QFile::copy(QStringLiteral(SHIRL_SOURCE_DIR "/examples/alabama-qso-party.adi"), in))
        return false;
    QProcess cli;
    cli.start(QStringLiteral(SHIRL_CLI_PATH),
              {QStringLiteral("convert"), QStringLiteral("--selection"), QStringLiteral("AL"), in, example.out});
    if (!cli.waitForFinished(60000) || cli.exitCode() != 0) return false;
    example.printed = cli.readAllStandardOutput();
    const QByteArray expectLog = ReadFile(example.out);
    if (!QFile::remove(example.out) || !ShowActive(w)) return false;

    DropUrls(w.control<QListView>("IDC_REPORT"), {QUrl::fromLocalFile(in)});
    w.pickRow(AlabamaRow());
    w.clickConvert();
    if (!w.messages.empty() || ReadFile(example.out) != expectLog) {
        qWarning("the dropped example did not convert as shirl-cli does");
        return false;
    }
    return true;
}

} // namespace

class ShirlWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setApplicationName(QStringLiteral("Shirl")); }

    void startState() {
        TestWindow w;
        QVERIFY(ShowActive(w));
        QCOMPARE(w.windowTitle(), QStringLiteral("Shirl %1.%2").arg(SHIRL_VERSION_MAJOR).arg(SHIRL_VERSION_MINOR));
        QCOMPARE(w.control<QComboBox>("IDC_SELECTION")->currentIndex(), -1);
        QCOMPARE(w.control<QComboBox>("IDC_SELECTION")->currentText(), QString());
        QVERIFY(w.control<QCheckBox>("IDC_ADD_MOBILE")->isChecked());
        QCOMPARE(w.control<QLineEdit>("IDC_INPUT_NAME")->text(), QString());
        QCOMPARE(w.control<QLineEdit>("IDC_OUTPUT_NAME")->text(), QString());
        QCOMPARE(w.reportRowCount(), 0);
        QCOMPARE(QApplication::focusWidget(), w.control<QPushButton>("IDC_INPUT_BROWSE"));
        QVERIFY(!w.dialog().selection().IsValid());
        QVERIFY(w.dialog().addMobile());
        QVERIFY(w.control<QPushButton>("IDOK")->isDefault());
        QVERIFY(!(w.windowFlags() & Qt::WindowCloseButtonHint));
        QVERIFY(!(w.windowFlags() & Qt::WindowMinMaxButtonsHint));
        QVERIFY(w.messages.empty());
    }

    void windowIconHasBothSizes() {
        TestWindow w;
        const QList<QSize> sizes = w.windowIcon().availableSizes();
        QVERIFY(sizes.contains(QSize(32, 32)));
        QVERIFY(sizes.contains(QSize(16, 16)));
    }

    void windowsIconHoldsTheSameArtwork() {
        QImageReader reader(QStringLiteral(SHIRL_SOURCE_DIR "/res/shirl.ico"));
        QCOMPARE(reader.imageCount(), 2);
        for (int size : {32, 16}) {
            QImage fromIco;
            for (int i = 0; i < reader.imageCount(); ++i) {
                QVERIFY(reader.jumpToImage(i));
                QImage image = reader.read();
                if (image.width() == size) fromIco = image;
            }
            QVERIFY2(!fromIco.isNull(), qPrintable(QStringLiteral("no %1 px image").arg(size)));
            const QImage png(QStringLiteral(SHIRL_SOURCE_DIR "/res/shirl-%1.png").arg(size));
            QCOMPARE(png.size(), QSize(size, size));
            QCOMPARE(fromIco.height(), size);
            const QImage a = fromIco.convertToFormat(QImage::Format_ARGB32);
            const QImage b = png.convertToFormat(QImage::Format_ARGB32);
            int transparent = 0;
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x) {
                    const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
                    QCOMPARE(qAlpha(p), qAlpha(q));
                    if (qAlpha(q) == 0) {
                        ++transparent;
                        continue;
                    }
                    QCOMPARE(p, q);
                }
            QVERIFY(transparent > 0);
            QVERIFY(transparent < size * size / 2);
        }
    }

    // Row r shows and picks display entry r; the order itself is the data's own test.
    void selectionListInDisplayOrder() {
        TestWindow w;
        auto* box = w.control<QComboBox>("IDC_SELECTION");
        const auto order = shirl::DisplayOrder();
        QCOMPARE(box->count(), static_cast<int>(order.size()));
        for (int r = 0; r < box->count(); ++r) {
            const shirl::Selection expected = order[static_cast<std::size_t>(r)];
            QCOMPARE(box->itemText(r).toStdString(), std::string(expected.Name()));
            w.pickRow(r);
            QVERIFY(w.dialog().selection() == expected);
        }
        QCOMPARE(w.reportRowCount(), 0);
        QVERIFY(w.messages.empty());
    }

    void keyboardPicksTheFirstRow() {
        TestWindow w;
        QVERIFY(ShowActive(w));
        auto* box = w.control<QComboBox>("IDC_SELECTION");
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Down);
        QCOMPARE(box->currentIndex(), 0);
        QVERIFY(w.dialog().selection() == shirl::selections::kAL);
        QTest::keyClick(box, Qt::Key_Down);
        QVERIFY(w.dialog().selection() == shirl::selections::kAZ);  // row 1
    }

    void convertChecksInOrder_data() {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("output");
        QTest::addColumn<bool>("pick");
        QTest::addColumn<QString>("message");
        QTest::newRow("nothing") << "" << "" << false << "ERROR: Didn't specify input file.";
        QTest::newRow("no input") << "" << "out.adi" << true << "ERROR: Didn't specify input file.";
        QTest::newRow("no output") << "@in" << "" << false << "ERROR: Didn't specify output file.";
        QTest::newRow("same names") << "@in" << "@in" << false << "ERROR: Input and output file names must be different.";
        QTest::newRow("no selection") << "@in" << "@out" << false << "ERROR: You must select a state or QSO Party.";
        QTest::newRow("missing input") << "@missing" << "@out" << true << "ERROR: Could not open input file.";
        QTest::newRow("bad output") << "@in" << "@nofolder/out.adi" << true << "ERROR: Could not open output file.";
    }
    void convertChecksInOrder() {
        QFETCH(QString, input);
        QFETCH(QString, output);
        QFETCH(bool, pick);
        QFETCH(QString, message);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QVERIFY(WriteFile(dir.filePath(QStringLiteral("in.adi")), kAlabamaLog));
        auto resolve = [&dir](QString name) {
            if (name.startsWith(u'@')) name = dir.filePath(name.mid(1) + (name.contains(u'/') ? "" : ".adi"));
            return name;
        };
        TestWindow w;
        w.show();
        w.ReplaceReportRows({"rows of an earlier run"});
        w.typeInput(resolve(input));
        w.typeOutput(resolve(output));
        if (pick) w.pickRow(AlabamaRow());
        w.clickConvert();
        QCOMPARE(w.messages.size(), std::size_t{1});
        QCOMPARE(w.messages[0].text, message);
        QCOMPARE(w.messages[0].icon, MessageIcon::Error);
        QCOMPARE(w.reportRows(), QStringList{QStringLiteral("rows of an earlier run")});
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("out.adi"))));
        QCOMPARE(ReadFile(dir.filePath(QStringLiteral("in.adi"))), QByteArray(kAlabamaLog));
        QVERIFY(w.isVisible());
    }

    // A conversion through the window writes what shirl-cli writes, and the
    // report list shows the rows shirl-cli prints.
    void conversionThroughTheWindowMatchesTheCommandLine() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString in = dir.filePath(QStringLiteral("party.adi"));
        const QString out = dir.filePath(QStringLiteral("window.adi"));
        const QString cliOut = dir.filePath(QStringLiteral("cli.adi"));
        QVERIFY(WriteFile(in, kAlabamaLog));

        TestWindow w;
        w.show();
        w.typeInput(in);
        w.fileAnswers.push_back(out.toStdString());
        QTest::mouseClick(w.control<QPushButton>("IDC_OUTPUT_BROWSE"), Qt::LeftButton);
        QCOMPARE(w.control<QLineEdit>("IDC_OUTPUT_NAME")->text(), out);
        QCOMPARE(w.control<QLineEdit>("IDC_INPUT_NAME")->text(), in);
        w.pickRow(AlabamaRow());
        w.clickConvert();
        QVERIFY(w.messages.empty());
        const QStringList rows = w.reportRows();
        QVERIFY(rows.size() >= 3);
        QVERIFY(rows.contains(QStringLiteral("Wrote 3 QSOs to ") + out) || rows.contains(QStringLiteral("Wrote 4 QSOs to ") + out));
        QVERIFY(rows.back().isEmpty());
        const QByteArray written = ReadFile(out);
        QVERIFY(written.contains("AL,Autauga"));

        QProcess cli;
        cli.start(QStringLiteral(SHIRL_CLI_PATH),
                  {QStringLiteral("convert"), QStringLiteral("--selection"), QStringLiteral("AL"), in, cliOut});
        QVERIFY(cli.waitForFinished(60000));
        QCOMPARE(cli.exitStatus(), QProcess::NormalExit);
        QCOMPARE(ReadFile(cliOut), written);
        QStringList printed = QString::fromUtf8(cli.readAllStandardOutput()).split(u'\n');
        if (!printed.isEmpty() && printed.back().isEmpty()) printed.removeLast();
        QStringList expected = rows;
        expected.replaceInStrings(out, cliOut);
        QCOMPARE(printed, expected);

        // Convert again: the same report, the file written anew.
        w.clickConvert();
        QCOMPARE(w.reportRows(), rows);
        QCOMPARE(ReadFile(out), written);
    }

    // Names outside ASCII: one typed into the input box, one chosen in the
    // real save dialog; the file chosen is the file written, and the report
    // names it as shown.
    void namesOutsideAsciiConvert() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString in = dir.filePath(QStringLiteral("Zo\u00EB \u0416\u0443\u0440\u043D\u0430\u043B \u65E5\u5FD7.adi"));
        const QString out = dir.filePath(QStringLiteral("\u03AD\u03BE\u03BF\u03B4\u03BF\u03C2 ") +
                                         QString::fromUtf8("\xF0\x9F\x93\xBB") + QStringLiteral(".adi"));
        QVERIFY(WriteFile(in, kAlabamaLog));

        ShirlWindow real;
        real.show();
        QTimer::singleShot(0, [&dir, &out] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr) return;
            dialog->setDirectory(dir.path());
            dialog->selectFile(QFileInfo(out).completeBaseName());
            QMetaObject::invokeMethod(dialog, "accept", Qt::DirectConnection);
        });
        const auto chosen = real.RunFileDialog(shirl::OutputFileDialogRequest(""));
        QVERIFY(chosen.has_value());
        QCOMPARE(QByteArray::fromStdString(*chosen), QFile::encodeName(out));

        TestWindow w;
        w.show();
        // Letters outside Latin-1 arrive as an input method's text, as a
        // keyboard of another script sends them.
        QInputMethodEvent typed;
        typed.setCommitString(in);
        QApplication::sendEvent(w.control<QLineEdit>("IDC_INPUT_NAME"), &typed);
        QCOMPARE(w.control<QLineEdit>("IDC_INPUT_NAME")->text(), in);
        w.fileAnswers.push_back(*chosen);
        QTest::mouseClick(w.control<QPushButton>("IDC_OUTPUT_BROWSE"), Qt::LeftButton);
        QCOMPARE(w.control<QLineEdit>("IDC_OUTPUT_NAME")->text(), out);
        w.pickRow(AlabamaRow());
        w.clickConvert();
        QVERIFY(w.messages.empty());
        const QStringList rows = w.reportRows();
        QVERIFY2(rows.contains(QStringLiteral("Wrote 4 QSOs to ") + out), qPrintable(rows.join(u'|')));
        QVERIFY(ReadFile(out).contains("AL,Autauga"));
        QCOMPARE(ReadFile(in), QByteArray(kAlabamaLog));
    }

    // A log that names its party shows it in the State list; the list of the
    // user's lists folder is used; a row the user picks is never changed.
    void detectedSelectionAndListsFolder() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", dir.filePath(QStringLiteral("config")).toUtf8());
        QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("config/shirl/lists"))));
        const QString list = dir.filePath(QStringLiteral("config/shirl/lists/SD.csv"));
        QVERIFY(WriteFile(list, "abbreviation,state,county\nOGLA,SD,Shannon\n"));
        const QString sd = dir.filePath(QStringLiteral("sd.adi"));
        const QString qp7 = dir.filePath(QStringLiteral("7qp.adi"));
        QVERIFY(WriteFile(sd, "<CALL:4>K0AA <QSO_DATE:8>20240907 <TIME_ON:4>1400 <BAND:3>40m <MODE:2>CW "
                              "<CONTEST_ID:12>SD-QSO-PARTY <CTY:4>OGLA <EOR>\n"));
        QVERIFY(WriteFile(qp7, "<CALL:4>N7AA <CONTEST_ID:3>7QP <CNTY:5>AZAPH <EOR>\n"));

        TestWindow w;
        w.show();
        auto* box = w.control<QComboBox>("IDC_SELECTION");
        w.typeInput(sd);
        QCOMPARE(box->currentIndex(), RowOf("SD"));
        QCOMPARE(w.dialog().selection(), shirl::selections::kSD);
        const QString out = dir.filePath(QStringLiteral("out.adi"));
        w.typeOutput(out);
        w.clickConvert();
        QVERIFY(w.messages.empty());
        const QStringList rows = w.reportRows();
        QVERIFY(!rows.isEmpty());
        QCOMPARE(rows.front(), QStringLiteral("INFO: Using abbreviation list ") + list +
                                   QStringLiteral(" for South Dakota (1 row, extends the built-in table)."));
        QVERIFY(ReadFile(out).contains("<CNTY:10>SD,Shannon"));

        // The next chosen log's party replaces a detected one ...
        w.fileAnswers.push_back(qp7.toStdString());
        QTest::mouseClick(w.control<QPushButton>("IDC_INPUT_BROWSE"), Qt::LeftButton);
        QCOMPARE(box->currentIndex(), RowOf("7QP"));
        // ... but never one the user picked.
        w.pickRow(RowOf("AL"));
        w.fileAnswers.push_back(sd.toStdString());
        QTest::mouseClick(w.control<QPushButton>("IDC_INPUT_BROWSE"), Qt::LeftButton);
        QCOMPARE(box->currentIndex(), RowOf("AL"));
        QCOMPARE(w.dialog().selection(), shirl::selections::kAL);
        if (oldConfig.isNull()) qunsetenv("XDG_CONFIG_HOME"); else qputenv("XDG_CONFIG_HOME", oldConfig);
    }

    // "shirl FILE": a relative name becomes the whole input name, the output
    // is offered beside it and the log's party is shown, as after the Input dialog.
    void fileGivenAtStart() {
        const QString oldDir = QDir::currentPath();
        QVERIFY(QDir::setCurrent(QStringLiteral(SHIRL_SOURCE_DIR)));
        TestWindow w;
        w.OpenInput(QStringLiteral("examples/alabama-qso-party.adi"));
        QDir::setCurrent(oldDir);
        const QString whole = QStringLiteral(SHIRL_SOURCE_DIR "/examples/alabama-qso-party.adi");
        QCOMPARE(w.control<QLineEdit>("IDC_INPUT_NAME")->text(), QDir::toNativeSeparators(whole));
        QCOMPARE(w.control<QLineEdit>("IDC_OUTPUT_NAME")->text(),
                 QDir::toNativeSeparators(QStringLiteral(SHIRL_SOURCE_DIR "/examples/alabama-qso-party-converted.adi")));
        QCOMPARE(w.control<QComboBox>("IDC_SELECTION")->currentIndex(), RowOf("AL"));
    }

    void addMobileCheckBoxToggles() {
        TestWindow w;
        QVERIFY(ShowActive(w));
        auto* check = w.control<QCheckBox>("IDC_ADD_MOBILE");
        check->setFocus();
        QTest::keyClick(check, Qt::Key_Space);
        QVERIFY(!check->isChecked());
        QVERIFY(!w.dialog().addMobile());
        QTest::mouseClick(check, Qt::LeftButton, {}, check->rect().center());
        QVERIFY(check->isChecked());
        QVERIFY(w.dialog().addMobile());
    }

    void enterRunsConvertFromAnyControl_data() {
        QTest::addColumn<QString>("control");
        for (const char* name : {"IDC_INPUT_BROWSE", "IDC_OUTPUT_BROWSE", "IDC_SELECTION", "IDC_ADD_MOBILE", "IDOK",
                                 "IDC_ABOUT", "IDC_HELP_BUTTON", "IDCANCEL", "IDC_INPUT_NAME", "IDC_OUTPUT_NAME"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void enterRunsConvertFromAnyControl() {
        QFETCH(QString, control);
        TestWindow w;
        QVERIFY(ShowActive(w));
        QWidget* target = w.findChild<QWidget*>(control);
        QVERIFY(target != nullptr);
        target->setFocus();
        QCOMPARE(QApplication::focusWidget(), target);
        QTest::keyClick(target, Qt::Key_Return);
        QCOMPARE(w.messages.size(), std::size_t{1});
        QCOMPARE(w.messages[0].text, QStringLiteral("ERROR: Didn't specify input file."));
        QVERIFY(w.fileRequests.empty());
        QVERIFY(w.isVisible());
        QCOMPARE(w.result(), 0);
    }

    void escapeAndExitClose() {
        {
            TestWindow w;
            QVERIFY(ShowActive(w));
            QTest::keyClick(&w, Qt::Key_Escape);
            QVERIFY(!w.isVisible());
            QCOMPARE(w.result(), int(QDialog::Rejected));
            QVERIFY(w.messages.empty());
        }
        {
            TestWindow w;
            w.show();
            QTest::mouseClick(w.control<QPushButton>("IDCANCEL"), Qt::LeftButton);
            QVERIFY(!w.isVisible());
            QCOMPARE(w.result(), int(QDialog::Rejected));
        }
    }

    void tabOrderFollowsTheTemplate() {
        TestWindow w;
        QVERIFY(ShowActive(w));
        QStringList visited;
        for (int i = 0; i < 10; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        const QStringList expected = {"IDC_OUTPUT_BROWSE", "IDC_SELECTION",   "IDC_ADD_MOBILE", "IDOK",
                                      "IDC_ABOUT",         "IDC_HELP_BUTTON", "IDCANCEL",       "IDC_INPUT_NAME",
                                      "IDC_OUTPUT_NAME",   "IDC_INPUT_BROWSE"};
        QCOMPARE(visited, expected);
    }

    void controlsStandWhereTheTemplatePutsThem_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("du");
        QTest::newRow("Input") << "IDC_INPUT_BROWSE" << QRect(204, 18, 50, 12);
        QTest::newRow("Output") << "IDC_OUTPUT_BROWSE" << QRect(204, 48, 50, 12);
        QTest::newRow("Selection") << "IDC_SELECTION" << QRect(18, 78, 168, 80);
        QTest::newRow("Add /M") << "IDC_ADD_MOBILE" << QRect(204, 96, 73, 10);
        QTest::newRow("Convert") << "IDOK" << QRect(306, 18, 50, 12);
        QTest::newRow("About") << "IDC_ABOUT" << QRect(306, 54, 50, 12);
        QTest::newRow("Help") << "IDC_HELP_BUTTON" << QRect(306, 72, 50, 12);
        QTest::newRow("Exit") << "IDCANCEL" << QRect(306, 90, 50, 12);
        QTest::newRow("Map") << "IDC_MAP_BUTTON" << QRect(306, 36, 50, 12);
        QTest::newRow("input name") << "IDC_INPUT_NAME" << QRect(18, 18, 168, 12);
        QTest::newRow("output name") << "IDC_OUTPUT_NAME" << QRect(18, 48, 168, 12);
        QTest::newRow("report") << "IDC_REPORT" << QRect(18, 120, 336, 120);
        QTest::newRow("State") << "IDC_STATE_LABEL" << QRect(204, 78, 18, 8);
    }
    void controlsStandWhereTheTemplatePutsThem() {
        QFETCH(QString, name);
        QFETCH(QRect, du);
        TestWindow w;
        w.show();
        const auto units = w.baseUnits();
        QVERIFY(units.x > 0 && units.y > 0);
        QWidget* control = w.findChild<QWidget*>(name);
        QVERIFY(control != nullptr);
        QVERIFY(control->isVisible());
        // Back from pixels to dialog units: within one pixel's rounding.
        const QRect g = control->geometry();
        auto near = [](int pixels, int units, int base, int per) {
            return std::abs(pixels * per - units * base) <= base;  // |px - du*base/per| <= 1 px
        };
        QVERIFY2(near(g.x(), du.x(), units.x, 4), qPrintable(name));
        QVERIFY2(near(g.y(), du.y(), units.y, 8), qPrintable(name));
        QVERIFY2(near(g.width(), du.width(), units.x, 4), qPrintable(name));
        if (name != QStringLiteral("IDC_SELECTION")) QVERIFY2(near(g.height(), du.height(), units.y, 8), qPrintable(name));
        QVERIFY(w.rect().contains(g));
    }

    // The template's size is the least; a larger window gives the report
    // list the room and leaves the other controls where they were.
    void dialogGrowsFromItsTemplateSizeAndScalesWithItsFont() {
        TestWindow w;
        w.show();
        const auto units = w.baseUnits();
        QVERIFY(std::abs(w.minimumWidth() * 4 - 372 * units.x) <= units.x);
        QVERIFY(std::abs(w.minimumHeight() * 8 - 258 * units.y) <= units.y);
        QCOMPARE(w.size(), w.minimumSize());
        auto* list = w.control<QListView>("IDC_REPORT");
        auto* convert = w.control<QPushButton>("IDOK");
        const QRect listAt = list->geometry();
        const QRect convertAt = convert->geometry();
        w.resize(w.size() + QSize(300, 200));
        QCOMPARE(list->geometry(), listAt.adjusted(0, 0, 300, 200));
        QCOMPARE(convert->geometry(), convertAt);
        w.resize(w.minimumSize() - QSize(50, 50));
        QCOMPARE(w.size(), w.minimumSize());
        QCOMPARE(list->geometry(), listAt);

        w.resize(w.minimumSize() + QSize(40, 0));
        QFont bigger = w.font();
        bigger.setPointSizeF(bigger.pointSizeF() * 2);
        w.setFont(bigger);
        QVERIFY(w.baseUnits().x > units.x);
        QVERIFY(w.baseUnits().y > units.y);
        QVERIFY(std::abs(w.minimumWidth() * 4 - 372 * w.baseUnits().x) <= w.baseUnits().x);
        QVERIFY(std::abs(w.minimumHeight() * 8 - 258 * w.baseUnits().y) <= w.baseUnits().y);
        QCOMPARE(w.size(), w.minimumSize() + QSize(40, 0));
        QVERIFY(list->width() > listAt.width() * 3 / 2);
    }

    // A row wider than the list is reached by scrolling sideways.
    void reportListScrollsToTheEndOfALongRow() {
        TestWindow w;
        w.show();
        const std::string longRow = "INFO: Using abbreviation list " + std::string(300, 'x') + ".csv for Alabama.";
        w.ReplaceReportRows({"short", longRow, ""});
        auto* list = w.control<QListView>("IDC_REPORT");
        QScrollBar* sideways = list->horizontalScrollBar();
        QTRY_VERIFY(sideways->maximum() > 0);
        const QModelIndex row = list->model()->index(1, 0);
        const int textWidth = list->fontMetrics().horizontalAdvance(QString::fromStdString(longRow));
        QVERIFY(list->visualRect(row).width() >= textWidth);
        sideways->setValue(sideways->maximum());
        QVERIFY(list->visualRect(row).right() <= list->viewport()->width());
        w.ReplaceReportRows({"short"});
        QTRY_COMPARE(sideways->maximum(), 0);
    }

    void checkBoxTextStandsLeftOfTheBox() {
        TestWindow w;
        QCOMPARE(w.control<QCheckBox>("IDC_ADD_MOBILE")->layoutDirection(), Qt::RightToLeft);
        QCOMPARE(w.control<QCheckBox>("IDC_ADD_MOBILE")->text(), QStringLiteral("Add /M to mobiles"));
    }

    void reportListCopesWithAHundredThousandRows() {
        TestWindow w;
        w.show();
        std::vector<std::string> rows;
        for (int i = 0; i < 100000; ++i) rows.push_back("WARNING: row " + std::to_string(i));
        w.ReplaceReportRows(rows);
        auto* list = w.control<QListView>("IDC_REPORT");
        QCOMPARE(w.reportRowCount(), 100000);
        QVERIFY(list->uniformItemSizes());
        QCOMPARE(list->horizontalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
        QCOMPARE(list->focusPolicy(), Qt::ClickFocus);
        const QModelIndex last = list->model()->index(99999, 0);
        list->scrollTo(last);
        const QRect shown = list->visualRect(last);
        QVERIFY(list->viewport()->rect().contains(shown.center()));
        QCOMPARE(list->indexAt(shown.center()), last);
        QCOMPARE(last.data().toString(), QStringLiteral("WARNING: row 99999"));
        QVERIFY(list->indexAt(QPoint(4, 4)).row() > 99900);
        w.ReplaceReportRows({"a", ""});
        QCOMPARE(w.reportRows(), (QStringList{"a", ""}));
    }

    void aboutAndHelpBoxes() {
        TestWindow w;
        w.show();
        QTest::mouseClick(w.control<QPushButton>("IDC_ABOUT"), Qt::LeftButton);
        QCOMPARE(w.messages.size(), std::size_t{1});
        QCOMPARE(w.messages[0].icon, MessageIcon::None);
        QVERIFY(w.messages[0].text.startsWith(QStringLiteral("Copyright: ")));
        QVERIFY(w.messages[0].text.contains(QStringLiteral("\n\nVersion: %1.%2\nDate:    ").arg(SHIRL_VERSION_MAJOR).arg(SHIRL_VERSION_MINOR)));
        QTest::mouseClick(w.control<QPushButton>("IDC_HELP_BUTTON"), Qt::LeftButton);
        QCOMPARE(w.messages.size(), std::size_t{1});
        w.browserStarts = false;
        QTest::mouseClick(w.control<QPushButton>("IDC_HELP_BUTTON"), Qt::LeftButton);
        QCOMPARE(w.messages.size(), std::size_t{2});
        QCOMPARE(w.messages[1].text, QStringLiteral("ERROR:  Could not start web browser.\n\nThe user guide is ") +
                                         shirl::qt::FindUserGuide() + QStringLiteral("; open it by hand."));
        QCOMPARE(w.messages[1].icon, MessageIcon::Error);

        // The opener starts but finds no browser: the same box, once it has said so.
        QTemporaryDir bin;
        QVERIFY(WriteFile(bin.filePath(QStringLiteral("xdg-open")), "#!/bin/sh\nexit 3\n"));
        QVERIFY(QFile::setPermissions(bin.filePath(QStringLiteral("xdg-open")), QFile::ReadOwner | QFile::ExeOwner));
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(bin.path()) + ':' + path);
        w.realBrowser = true;
        QTest::mouseClick(w.control<QPushButton>("IDC_HELP_BUTTON"), Qt::LeftButton);
        QTRY_COMPARE(w.messages.size(), std::size_t{3});
        qputenv("PATH", path);
        QCOMPARE(w.messages[2].text, w.messages[1].text);
    }

    void userGuideIsFoundNextToTheProgram() {
        const QString guide = shirl::qt::FindUserGuide();
        QCOMPARE(guide, QFileInfo(QCoreApplication::applicationDirPath() + QStringLiteral("/guide.html")).canonicalFilePath());
        QVERIFY(ReadFile(guide).contains("<title>Shirl"));
    }

    // The real message boxes: the application name as caption, the error
    // icon for Convert's errors, no icon for About.
    void messageBoxesCarryNameAndIcon() {
        ShirlWindow w;
        w.show();
        struct Seen {
            QString title, text;
            QMessageBox::Icon icon;
        };
        std::vector<Seen> seen;
        auto answer = [&seen] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) return;
            seen.push_back({box->windowTitle(), box->text(), box->icon()});
            box->accept();
        };
        QTimer::singleShot(0, answer);
        QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("IDOK")), Qt::LeftButton);
        QTimer::singleShot(0, answer);
        QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("IDC_ABOUT")), Qt::LeftButton);
        QCOMPARE(seen.size(), std::size_t{2});
        QCOMPARE(seen[0].title, QStringLiteral("Shirl"));
        QCOMPARE(seen[0].text, QStringLiteral("ERROR: Didn't specify input file."));
        QCOMPARE(seen[0].icon, QMessageBox::Critical);
        QCOMPARE(seen[1].title, QStringLiteral("Shirl"));
        QVERIFY(seen[1].text.startsWith(QStringLiteral("Copyright: ")));
        QCOMPARE(seen[1].icon, QMessageBox::NoIcon);
    }

    void nameFiltersOfTheFileDialogs() {
        QCOMPARE(shirl::qt::NameFilter("ADIF Files", "*.adi;*.adif;"), QStringLiteral("ADIF Files (*.adi *.adif)"));
        QCOMPARE(shirl::qt::NameFilter("All Files", "*.*"), QStringLiteral("All Files (*)"));
    }

    // The real save dialog: a name typed without an extension gets ".adi".
    void saveDialogAppendsTheDefaultSuffix() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        ShirlWindow w;
        w.show();
        QTimer::singleShot(0, [&dir] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr) return;
            dialog->setDirectory(dir.path());
            dialog->selectFile(QStringLiteral("newlog"));
            QMetaObject::invokeMethod(dialog, "accept", Qt::DirectConnection);
        });
        const auto chosen = w.RunFileDialog(shirl::OutputFileDialogRequest(""));
        QVERIFY(chosen.has_value());
        QCOMPARE(QString::fromStdString(*chosen), QDir(dir.path()).filePath(QStringLiteral("newlog.adi")));
    }

    // The real open dialog: its title, the ADIF filter in force, and only
    // existing files accepted; cancelling it gives nothing.
    void openDialogIsSetUpFromTheRequest() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        ShirlWindow w;
        w.show();
        QString title, filter;
        QFileDialog::FileMode mode = QFileDialog::AnyFile;
        QFileDialog::AcceptMode accept = QFileDialog::AcceptSave;
        QStringList filters;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr) return;
            title = dialog->windowTitle();
            filter = dialog->selectedNameFilter();
            filters = dialog->nameFilters();
            mode = dialog->fileMode();
            accept = dialog->acceptMode();
            dialog->reject();
        });
        const auto chosen = w.RunFileDialog(shirl::InputFileDialogRequest(""));
        QVERIFY(!chosen.has_value());
        QCOMPARE(title, QStringLiteral("Input ADIF File"));
        QCOMPARE(filter, QStringLiteral("ADIF and Cabrillo Logs (*.adi *.adif *.log *.cbr *.txt)"));
        QCOMPARE(filters, (QStringList{"ADIF and Cabrillo Logs (*.adi *.adif *.log *.cbr *.txt)",
                                       "ADIF Files (*.adi *.adif)", "Cabrillo Logs (*.log *.cbr *.txt)",
                                       "All Files (*)"}));
        QCOMPARE(mode, QFileDialog::ExistingFile);
        QCOMPARE(accept, QFileDialog::AcceptOpen);
    }

    // Files dropped anywhere on the window: the first file is the input name
    // and gets an output name offered; folders and non-files are refused.
    void dropsOntoTheWindow() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString a = dir.filePath(QStringLiteral("a.adi"));
        const QString b = dir.filePath(QStringLiteral("b.adi"));
        QVERIFY(WriteFile(a, kAlabamaLog));
        QVERIFY(WriteFile(b, kAlabamaLog));
        TestWindow w;
        w.show();
        auto* input = w.control<QLineEdit>("IDC_INPUT_NAME");
        auto* output = w.control<QLineEdit>("IDC_OUTPUT_NAME");
        QVERIFY(w.acceptDrops());
        QVERIFY(!input->acceptDrops() && !output->acceptDrops());

        DropUrls(input, {QUrl::fromLocalFile(a)});
        QCOMPARE(input->text(), a);
        QCOMPARE(output->text(), dir.filePath(QStringLiteral("a-converted.adi")));
        DropUrls(w.control<QListView>("IDC_REPORT"), {QUrl::fromLocalFile(b), QUrl::fromLocalFile(a)});
        QCOMPARE(input->text(), b);
        QCOMPARE(output->text(), dir.filePath(QStringLiteral("b-converted.adi")));
        QVERIFY(w.reportRows().first().contains(QStringLiteral("one file at a time is converted")));
        QVERIFY(w.messages.empty());

        struct Refused {
            QUrl url;
            const char* text;
        };
        for (const Refused& r : {Refused{QUrl::fromLocalFile(dir.path()), "ERROR: A folder can't be converted. Drop a log file."},
                                 Refused{QUrl(QStringLiteral("https://example.org/log.adi")), "ERROR: Only a log file can be dropped here."},
                                 Refused{QUrl::fromLocalFile(dir.filePath(QStringLiteral("gone.adi"))),
                                         "ERROR: Only a log file can be dropped here."}}) {
            w.messages.clear();
            DropUrls(output, {r.url});
            QCOMPARE(w.messages.size(), std::size_t{1});
            QCOMPARE(w.messages[0].text, QString::fromUtf8(r.text));
            QCOMPARE(w.messages[0].icon, MessageIcon::Error);
            QCOMPARE(input->text(), b);
        }
    }

    // A Cabrillo log dropped: its party is shown, the output is offered as
    // ADIF, and Convert writes the log and the report of the golden case.
    void dropsACabrilloLogAndConvertsIt() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString golden = QStringLiteral(SHIRL_SOURCE_DIR "/tests/data/golden/cabrillo-florida-party/");
        const QString in = dir.filePath(QStringLiteral("input.log"));
        QVERIFY(QFile::copy(golden + QStringLiteral("input.log"), in));
        TestWindow w;
        QVERIFY(ShowActive(w));
        DropUrls(w.control<QListView>("IDC_REPORT"), {QUrl::fromLocalFile(in)});
        const QString out = dir.filePath(QStringLiteral("input-converted.adi"));
        QCOMPARE(w.control<QLineEdit>("IDC_OUTPUT_NAME")->text(), out);
        w.clickConvert();
        QVERIFY(w.messages.empty());
        // The golden log holds placeholders for the version the header names.
        QString written = QString::fromUtf8(ReadFile(out));
        written.replace(QRegularExpression(QStringLiteral("Shirl \\S+ from")), QStringLiteral("Shirl @SHIRL_VERSION@ from"));
        written.replace(QRegularExpression(QStringLiteral("<PROGRAMVERSION:\\d+>\\S+")),
                        QStringLiteral("<PROGRAMVERSION:@SHIRL_VERSION_LENGTH@>@SHIRL_VERSION@"));
        QCOMPARE(written, QString::fromUtf8(ReadFile(golden + QStringLiteral("expected.adi"))));
        // The window shows the party it found instead of taking it as `auto` does.
        QString report = QString::fromUtf8(ReadFile(golden + QStringLiteral("expected-report.txt")));
        report.remove(QStringLiteral("INFO: Selection Florida QSO Party from CONTEST_ID FL-QSO-PARTY.\n"));
        QCOMPARE(w.reportRows().join(u'\n') + u'\n', report.replace(QStringLiteral("output.adi"), out));
    }

    // The example log dropped and converted: the summary row is readable on
    // its own row after an empty one, and the list rows are the report as
    // shirl-cli prints it.
    void summaryRowOfTheExampleAfterAnEmptyRow() {
        QTemporaryDir dir;
        TestWindow w;
        ConvertedExample example;
        QVERIFY(ConvertExample(dir, w, example));
        auto* list = w.control<QListView>("IDC_REPORT");
        const QStringList rows = w.reportRows();
        const qsizetype summary = rows.indexOf(QStringLiteral("Converted 11 Alabama counties."));
        QVERIFY(summary > 0);
        QCOMPARE(rows[summary - 1], QString());
        QCOMPARE((rows.join(u'\n') + u'\n').toUtf8(), example.printed);
        const QModelIndex summaryIndex = list->model()->index(static_cast<int>(summary), 0);
        list->scrollTo(summaryIndex);
        const QString drawn = list->fontMetrics().elidedText(summaryIndex.data().toString(), Qt::ElideRight,
                                                             list->visualRect(summaryIndex).width());
        QCOMPARE(drawn, QStringLiteral("Converted 11 Alabama counties."));  // not cut to "..."
    }

    // Selected rows copy with Ctrl+C; the menu's "Copy all" copies and its
    // "Save report as..." saves the report as shirl-cli prints it.
    void reportCopiesAndSaves() {
        QTemporaryDir dir;
        TestWindow w;
        ConvertedExample example;
        QVERIFY(ConvertExample(dir, w, example));
        auto* list = w.control<QListView>("IDC_REPORT");
        QCOMPARE(list->selectionMode(), QAbstractItemView::ExtendedSelection);
        QStringList captions;
        for (QAction* action : w.reportMenu()->actions())
            if (!action->isSeparator()) captions << action->text();
        QCOMPARE(captions, (QStringList{"Copy", "Copy all", QStringLiteral("Save report as\u2026")}));
        auto* copy = w.findChild<QAction*>(QStringLiteral("IDM_REPORT_COPY"));
        QVERIFY(!copy->isEnabled());  // nothing selected yet

        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->clear();
        const int summary = static_cast<int>(w.reportRows().indexOf(QStringLiteral("Converted 11 Alabama counties.")));
        list->setFocus();
        list->selectionModel()->select(list->model()->index(summary + 1, 0), QItemSelectionModel::Select);
        list->selectionModel()->select(list->model()->index(summary, 0), QItemSelectionModel::Select);
        QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(clipboard->text(),
                 QStringLiteral("Converted 11 Alabama counties.\nWrote 14 QSOs to ") + example.out + u'\n');
        QVERIFY(w.reportMenu()->actions().first()->isEnabled());

        clipboard->clear();
        w.findChild<QAction*>(QStringLiteral("IDM_REPORT_COPY_ALL"))->trigger();
        QCOMPARE(clipboard->text().toUtf8(), example.printed);

        const QString saved = dir.filePath(QStringLiteral("report.txt"));
        w.fileAnswers.push_back(saved.toStdString());
        w.findChild<QAction*>(QStringLiteral("IDM_REPORT_SAVE"))->trigger();
        QCOMPARE(w.fileRequests.size(), std::size_t{1});
        QCOMPARE(w.fileRequests[0].title, std::string("Save report as"));
        QCOMPARE(QString::fromStdString(w.fileRequests[0].initialName),
                 dir.filePath(QStringLiteral("party-converted-report.txt")));
        QCOMPARE(ReadFile(saved), example.printed);
        QVERIFY(w.messages.empty());

        // A report that cannot be written says so and leaves nothing behind.
        const QString nowhere = dir.filePath(QStringLiteral("no-such-folder/report.txt"));
        w.fileAnswers.push_back(nowhere.toStdString());
        w.findChild<QAction*>(QStringLiteral("IDM_REPORT_SAVE"))->trigger();
        QCOMPARE(w.messages.size(), std::size_t{1});
        QCOMPARE(w.messages[0].text, QStringLiteral("ERROR: Could not write report file."));
        QVERIFY(!QFile::exists(nowhere));
    }

    // Map: off until a conversion, then the example's map in its window,
    // saved where the user says.
    void mapButtonShowsAndSavesTheMap() {
        QTemporaryDir dir;
        TestWindow w;
        QVERIFY(!w.control<QPushButton>("IDC_MAP_BUTTON")->isEnabled());
        ConvertedExample example;
        QVERIFY(ConvertExample(dir, w, example));
        auto* map = w.control<QPushButton>("IDC_MAP_BUTTON");
        QVERIFY(map->isEnabled());
        QTest::mouseClick(map, Qt::LeftButton);
        QVERIFY(w.mapWindow() != nullptr);
        QVERIFY(w.mapWindow()->isVisible());
        QSvgRenderer* picture = w.mapWindow()->picture()->renderer();
        QVERIFY(picture->isValid());
        QCOMPARE(picture->defaultSize(), QSize(640, 616));
        QVERIFY(w.messages.empty());

        const QString saved = dir.filePath(QStringLiteral("map.svg"));
        w.fileAnswers.push_back(saved.toStdString());
        QTest::mouseClick(w.mapWindow()->findChild<QPushButton*>(QStringLiteral("IDC_SAVE_MAP")), Qt::LeftButton);
        QCOMPARE(w.fileRequests.back().title, std::string("Save map as"));
        QCOMPARE(QString::fromStdString(w.fileRequests.back().initialName),
                 dir.filePath(QStringLiteral("party-converted-map.svg")));
        QVERIFY(ReadFile(saved).contains("<title>Alabama QSO Party: 11 of 67 counties</title>"));
    }
};

QTEST_MAIN(ShirlWindowTest)
#include "shirl_window_test.moc"
