#include "support/uitesting.h"

#include <QAbstractButton>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "store/settings.h"

namespace czx::uitest {

void isolateUserFolders() {
    static QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toUtf8());
    qputenv("XDG_DATA_HOME", (home.path() + "/data").toUtf8());
}

CompanyCopy::CompanyCopy() {
    for (const char* name : {kCompanyFile, kCatalogueFile, kTemplateFile}) {
        QString from = QString(CZX_DATA_BUILD_DIR) + "/" + name;
        QString to = dir_.path() + "/" + name;
        if (!QFile::copy(from, to)) qFatal("cannot copy %s", qPrintable(from));
        QFile::setPermissions(to, QFile::ReadOwner | QFile::WriteOwner);
    }
}

std::string CompanyCopy::path() const {
    return dir_.path().toStdString() + "/";
}
std::string CompanyCopy::companyFile() const {
    return path() + kCompanyFile;
}

void CompanyCopy::execute(const std::string& sql) const {
    Connection c = Connection::open(companyFile());
    c.execute(sql);
}

Value CompanyCopy::value(const std::string& sql) const {
    Connection c = Connection::open(companyFile());
    Statement s = c.prepare(sql);
    if (!s.step()) return Value{};
    return s.column(0);
}

double CompanyCopy::number(const std::string& sql) const {
    return asNumber(value(sql)).value_or(-999999);
}

std::string CompanyCopy::text(const std::string& sql) const {
    return asText(value(sql));
}

MessageCatcher::MessageCatcher(QMessageBox::StandardButton answer) {
    QObject::connect(&timer_, &QTimer::timeout, [this, answer] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        titles << box->windowTitle();
        texts << box->text();
        QStringList names;
        for (QAbstractButton* b : box->buttons()) names << b->text().remove('&');
        names.sort();
        offered << names.join('|');
        defaults << (box->defaultButton() ? box->defaultButton()->text().remove('&') : QString());
        warnings << (box->icon() == QMessageBox::Warning);
        if (QAbstractButton* chosen = box->button(answer))
            chosen->click();
        else if (QAbstractButton* ok = box->button(QMessageBox::Ok))
            ok->click();
        else
            box->accept();
    });
    timer_.start(20);
}

MessageCatcher::~MessageCatcher() {
    timer_.stop();
}

QStringList pick(QWidget* button, const QString& entry) {
    QStringList listed;
    bool handled = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || handled || dialog->objectName() != "ADOSelcMethLife") return;
        handled = true;
        auto* list = dialog->findChild<QListWidget*>("DataList1");
        for (int i = 0; i < list->count(); ++i) listed << list->item(i)->text();
        if (entry.isEmpty()) {
            dialog->findChild<QPushButton*>("cmdClose")->click();
            return;
        }
        auto items = list->findItems(entry, Qt::MatchExactly);
        if (items.isEmpty()) {
            dialog->reject();
            return;
        }
        QRect r = list->visualItemRect(items.first());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
    });
    poll.start(10);
    QTest::mouseClick(static_cast<QAbstractButton*>(button), Qt::LeftButton);
    poll.stop();
    // The after-choice and automobile steps follow 150 ms apart.
    QTest::qWait(400);
    return listed;
}

void typeInto(QWidget* field, const QString& text) {
    QTest::mouseClick(field, Qt::LeftButton);
    if (auto* edit = qobject_cast<QLineEdit*>(field)) edit->selectAll();
    QTest::keyClicks(field, text);
}

QAction* actionOf(QWidget* root, const QString& text) {
    for (QAction* a : root->findChildren<QAction*>())
        if (a->text() == text) return a;
    return nullptr;
}

void press(QWidget* root, const QString& name) {
    auto* b = byName<QAbstractButton>(root, name);
    QVERIFY2(b && b->isVisible() && b->isEnabled(), qPrintable(name + " cannot be clicked"));
    QTest::mouseClick(b, Qt::LeftButton);
}

void tick(QCheckBox* box) {
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
}

void MainWindowFixture::tearDown() {
    window.reset();
    owner.reset();
    QVERIFY2(errors->reports.empty(),
             errors->reports.empty() ? "" : errors->reports.front().c_str());
    errors.reset();
    copy.reset();
}

void MainWindowFixture::open(Settings* settings) {
    window = std::make_unique<ui::MainWindow>(copy->path(), settings);
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
}

void MainWindowFixture::moveTo(int n) {
    typeInto(byName<QLineEdit>(window.get(), "Record Number"), QString::number(n));
    click("Move To Record Number");
}

void MainWindowFixture::activate() {
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
}

std::string MainWindowFixture::row(int assetId) {
    Connection c = Connection::open(copy->companyFile());
    Statement s = c.prepare("SELECT * FROM assets WHERE AssetID = " + std::to_string(assetId));
    std::string values;
    if (!s.step()) return values;
    for (int i = 0; i < s.columnCount(); ++i)
        if (s.columnName(i) != "assetchng")
            values += s.columnName(i) + "=" + (s.isNull(i) ? "NULL" : s.columnText(i)) + "; ";
    return values;
}

}  // namespace czx::uitest
