#include "ui/entry/mainwindow.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <map>

#include "base/dates.h"
#include "base/money.h"
#include "base/trail.h"
#include "engine/run/findings.h"
#include "engine/run/run.h"
#include "engine/tables/federal_law.h"
#include "store/columns.h"
#include "store/company_files.h"
#include "store/settings.h"
#include "ui/company/companyfiles.h"
#include "ui/company/companyinfowindow.h"
#include "ui/company/groupwindow.h"
#include "ui/entry/assetlist.h"
#include "ui/entry/bonus.h"
#include "ui/entry/keyfilter.h"
#include "ui/entry/picker.h"
#include "ui/shell/displaysizing.h"
#include "ui/shell/helpviewer.h"
#include "ui/shell/instructions.h"
#include "ui/shell/questions.h"
#include "ui/shell/sysfrm.h"
#include "ui/shell/windowplacement.h"
#include "ui/yearend/closeyear.h"
#include "ui/yearend/reportpreview.h"

namespace czx::ui {
namespace {

const QString kDatesNote = "    Asset will not save without these dates";
const QString kEmptyCompany = "Click Add To Create First Record";
const QString kOverrideTip =
    "Check this box to override the program's calculated depreciation amount in the field to "
    "the left and manually enter depreciation for the current year.";
const QString kUseTip = "For 100% enter 1; for 50% enter .5. Do not enter % symbol.";
const QString kTruckTip =
    "For trucks and vans subject to the passenger auto rules and put in service after 2002, "
    "check here to apply the truck and van annual limit instead of the passenger auto limit.";
// The Section 179 reminder for a heavy sport-utility vehicle placed in
// service in `year`, with that year's cap.
QString heavyVehicleTip(int year) {
    auto cap = law::heavyVehicleSection179Cap(year);
    if (!cap)
        return QString(
                   "If this asset is a heavy sports utility vehicle purchased after "
                   "10/22/04, limit Sec. 179 to the cap of its year (%1).")
            .arg(QString::fromStdString(law::knownLaw()));
    return QString(
               "If this asset is a heavy sports utility vehicle purchased after 10/22/04, "
               "limit Sec. 179 to $%1.")
        .arg(QString::fromStdString(money::withThousands(*cap)));
}

struct ListSource {
    const char* table;
    const char* column;
};

// The life list each method draws from in the catalogue.
const std::map<QString, ListSource>& taxLifeLists() {
    static const std::map<QString, ListSource> lists = {
        {"MACRS", {"MACRSLFS", "MACRSLF"}},
        {"MACRS-150%", {"MACRS150LFS", "MACRS150LF"}},
        {"MACRS-Auto", {"MACRSALFS", "MACRSALF"}},
        {"ACRS", {"ACRSLFS", "ACRSLF"}},
        {"MACRS SL-PP", {"TPPSLLFS", "SL-Personal Prop"}},
        {"MACRS SL-RP", {"TRPSLLFS", "SL-Real Prop"}},
        {"Amortization", {"AMLFS", "AMLF"}},
        {"Units Of Prod.", {"NDLFS", "NDLF"}},
        {"Non-Depreciable", {"NDLFS", "NDLF"}},
        {"SL-Old", {"SLLFS", "SL - Book"}},
        {"DDB200%-Old", {"DDBLFS", "DDB"}},
        {"DDB150%-Old", {"DDBLFS", "DDB"}},
        {"DDB125%-Old", {"DDBLFS", "DDB"}},
    };
    return lists;
}

const std::map<QString, ListSource>& bookLifeLists() {
    static const std::map<QString, ListSource> lists = {
        {"SL - Book", {"SLLFS", "SL - Book"}},  {"DDB200%", {"DDBLFS", "DDB"}},
        {"DDB150%", {"DDBLFS", "DDB"}},         {"DDB125%", {"DDBLFS", "DDB"}},
        {"Amortization", {"AMLFS", "AMLF"}},    {"Units Of Prod.", {"NDLFS", "NDLF"}},
        {"Non-Depreciable", {"NDLFS", "NDLF"}},
    };
    return lists;
}

// A width that shows `sample` whole in `edit`, frame and margins included.
int widthFor(const QLineEdit* edit, const QString& sample) {
    return edit->fontMetrics().horizontalAdvance(sample) + 16;
}

QLabel* warningLabel(const QString& name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setStyleSheet("color: #b00000; font-weight: bold;");
    label->setWordWrap(true);
    label->hide();
    return label;
}

// Keeps the run's state consistent when the run ends early by a failure.
class RunGuard {
  public:
    RunGuard(bool& running, bool& bound, QProgressBar* bar)
        : running_(running), bound_(bound), bar_(bar) {}
    ~RunGuard() {
        running_ = false;
        bound_ = true;
        bar_->hide();
    }

  private:
    bool& running_;
    bool& bound_;
    QProgressBar* bar_;
};

}  // namespace

MainWindow::MainWindow(std::string dataPath, Settings* settings, QWidget* parent)
    : QMainWindow(parent),
      dataPath_(std::move(dataPath)),
      settings_(settings),
      presenter_({.settle = [this] { return settleRecord(); },
                  .check =
                      [this] {
                          pushAll();
                          return RecordCheck();
                      },
                  .bumped = [] { QApplication::beep(); }}) {
    if (!dataPath_.empty() && dataPath_.back() != '/') dataPath_ += '/';
    setObjectName("Calcform");
    setWindowTitle(programTitle());
    buildFields();
    buildLayout();
    buildMenu();
    feedback_ = std::make_unique<GuiFeedback>(this, ProgressBar1_);
    resize(designedSize());
    Form_Load();
}

MainWindow::~MainWindow() = default;

// ---------------------------------------------------------------- building

void MainWindow::buildFields() {
    using K = FieldKind;
    using S = ColumnSet;
    const QString yrpisTip =
        "Tax year end that the asset is first placed in service in mm/dd/yyyy format. There must "
        "be a date in this field with the \"/\" marks or the asset record will not save and you "
        "may receive an error message.  ";
    const QString placedTip =
        "Enter the date the asset is placed in service in mm/dd/yyyy format. You must put a date "
        "here with the \"/\" marks or the asset record will not save and you may receive an "
        "error message.  ";
    const QString midTip =
        "No entry is necessary for new assets, it will be calculated for you. For assets "
        "acquired in prior mid-quarter years, enter 1, 2, 3, or 4 for quarter asset was "
        "acquired in.";
    fields_ = {{
        {"Asset Description", "Asset Description", col::Description, "", K::Text, S::Both, true,
         ""},
        {"      Year End Of Year Asset Was Originally Placed In Service ",
         "Year End Of Year Asset Was Originally Placed In Service", col::YRPIS, "", K::Date,
         S::Both, true, yrpisTip},
        {"* Actual Date In Service", "* Actual Date In Service", col::PlacedInService, "", K::Date,
         S::Both, true, placedTip},
        {"Group", "Group", col::GroupName, "", K::Text, S::Both, false, ""},
        {"Asset Cost", "Asset Cost - Tax", col::CostTax, "Num", K::Money, S::Tax, true, ""},
        {"Dprn Method", "Dprn Method - Tax", col::MethodTax, "", K::Text, S::Tax, false, ""},
        {"Dprn Life", "Dprn Life - Tax", col::LifeTax, "", K::Text, S::Tax, false, ""},
        {"Business Use %", "Business Use % - Tax", col::BusUseTax, "Num3", K::Share, S::Tax, true,
         kUseTip},
        {"Mid Qrt Conv", "Mid Qrt Conv", col::MidQrtAsset, "Num4", K::Text, S::Tax, true, midTip},
        {"Section 179", "Section 179", col::Sec179, "Num", K::Money, S::Tax, true, ""},
        {"30, 50, 100%  Deduct", "30, 50, 100%  Deduct", col::Bonus, "Num", K::Money, S::Tax, true,
         QString::fromStdString(law::bonusToolTip())},
        {"ITC Basis Adj", "ITC Basis Adj", col::ItcAdjustment, "Num", K::Money, S::Tax, true, ""},
        {"Salvage Value", "Salvage Value - Tax", col::SalvageTax, "Num", K::Money, S::Tax, true,
         ""},
        {"Prior Dprn", "Prior Dprn - Tax", col::PriorAccumTax, "Num", K::Money, S::Tax, true, ""},
        {"Current Dprn", "Current Dprn - Tax", col::CurrentTax, "Num", K::Money, S::Tax, true, ""},
        {"Asset Cost", "Asset Cost - Book", col::CostBook, "Num", K::Money, S::Book, true, ""},
        {"Dprn Method", "Dprn Method - Book", col::MethodBook, "", K::Text, S::Book, false, ""},
        {"Dprn Life", "Dprn Life - Book", col::LifeBook, "", K::Text, S::Book, false, ""},
        {"Business Use %", "Business Use % - Book", col::BusUseBook, "Num3", K::Share, S::Book,
         true, kUseTip},
        {"Salvage Value", "Salvage Value - Book", col::SalvageBook, "Num", K::Money, S::Book, true,
         ""},
        {"Prior Dprn", "Prior Dprn - Book", col::PriorAccumBook, "Num", K::Money, S::Book, true,
         ""},
        {"Current Dprn", "Current Dprn - Book", col::CurrentBook, "Num", K::Money, S::Book, true,
         ""},
        {"Date Sold/Disposed", "Date Sold/Disposed", col::Disposed, "", K::Date, S::Both, true, ""},
    }};
    checks_ = {{
        {"Listed", "Listed", col::ListedProperty, S::Tax, false, ""},
        {"Auto", "Auto", col::PassengerAuto, S::Tax, false, ""},
        {"Truck or Van", "Truck or Van", col::TruckVanBonus, S::Tax, false, kTruckTip},
        {"Over  Ride", "Over  Ride - Tax", col::TaxOverride, S::Tax, true, kOverrideTip},
        {"Over  Ride", "Over  Ride - Book", col::BookOverride, S::Book, true, kOverrideTip},
    }};
    for (int i = 0; i < FieldCount; ++i) {
        auto& f = fields_[i];
        f.edit = new QLineEdit(this);
        f.edit->setObjectName(QString("txtFields_%1").arg(i));
        f.edit->setAccessibleName(f.accessible);
        f.edit->setProperty("tag", f.tag);
        if (!f.toolTip.isEmpty()) f.edit->setToolTip(f.toolTip);
        if (f.kind == FieldKind::Money || f.kind == FieldKind::Share)
            f.edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        if (i == FMidQrt) f.edit->setMaxLength(1);
        f.edit->installEventFilter(this);
        connect(f.edit, &QLineEdit::textEdited, this, [this, i] {
            fields_[i].dirty = true;
            presenter_.markChanged();
        });
    }
    fields_[FSec179].edit->setMouseTracking(true);
    // The picker-filled fields are never typed into, but they are read: their
    // text stays dark while they are disabled.
    for (int i : {FGroup, FMethodTax, FLifeTax, FMethodBook, FLifeBook}) {
        QPalette palette = fields_[i].edit->palette();
        palette.setColor(QPalette::Disabled, QPalette::Text,
                         palette.color(QPalette::Active, QPalette::Text));
        fields_[i].edit->setPalette(palette);
    }
    for (int i = 0; i < CheckCount; ++i) {
        auto& c = checks_[i];
        c.box = new QCheckBox(c.caption, this);
        c.box->setObjectName(QString("chkFields_%1").arg(i));
        c.box->setAccessibleName(c.accessible);
        if (!c.toolTip.isEmpty()) c.box->setToolTip(c.toolTip);
        c.box->installEventFilter(this);
        if (!c.direct) {
            // Only the flag buttons set these boxes; their captions stay readable.
            QPalette palette = c.box->palette();
            palette.setColor(QPalette::Disabled, QPalette::WindowText,
                             palette.color(QPalette::Active, QPalette::WindowText));
            palette.setColor(QPalette::Disabled, QPalette::ButtonText,
                             palette.color(QPalette::Active, QPalette::ButtonText));
            c.box->setPalette(palette);
        }
        if (c.direct)
            connect(c.box, &QCheckBox::clicked, this, [this, i](bool on) {
                procedure("Calcform.chkFields_Click", [&] {
                    writeCheck(i, on);
                    presenter_.markChanged();
                });
            });
    }
}

QPushButton* MainWindow::makeButton(const QString& caption, const QString& name,
                                    const QString& toolTip) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(name);
    // Read as it shows: "Add Asset", not "&Add Asset".
    button->setAccessibleName(QString(caption).remove('&'));
    button->setAutoDefault(false);
    if (!toolTip.isEmpty()) button->setToolTip(toolTip);
    button->installEventFilter(this);
    return button;
}

QToolButton* MainWindow::makeToolButton(const QString& text, const QString& name,
                                        const QString& accessible, const QString& toolTip) {
    auto* button = new QToolButton(this);
    button->setText(text);
    button->setObjectName(name);
    button->setAccessibleName(accessible);
    // A sign for a caption ("...", "|<") shows its name as its tool tip.
    button->setToolTip(toolTip.isEmpty() ? accessible : toolTip);
    button->installEventFilter(this);
    return button;
}

void MainWindow::buildLayout() {
    auto* page = new QWidget(this);
    page->setObjectName("formPage");
    auto* outer = new QVBoxLayout(page);
    outer->setContentsMargins(6, 4, 6, 4);
    outer->setSpacing(6);

    // Header: company, year end, record number.
    txtName_ = new QLineEdit(this);
    txtName_->setObjectName("txtName");
    txtName_->setReadOnly(true);
    txtName_->setAccessibleName("Company Name");
    txtName_->setStyleSheet("font-weight: bold;");
    txtYearEnd_ = new QLineEdit(this);
    txtYearEnd_->setObjectName("txtYearEnd");
    txtYearEnd_->setReadOnly(true);
    txtYearEnd_->setAccessibleName("Year End");
    companyNumberEdit_ = new QLineEdit(this);
    companyNumberEdit_->setObjectName("Text3");
    companyNumberEdit_->hide();
    recordNumberEdit_ = new QLineEdit(this);
    recordNumberEdit_->setObjectName("Text4");
    recordNumberEdit_->setAccessibleName("Record Number");
    recordNumberEdit_->setFixedWidth(widthFor(recordNumberEdit_, "0000000"));
    recordNumberEdit_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    cmdMoveAbs_ = makeButton("Move To Record Number", "cmdMoveAbs", "");
    connect(cmdMoveAbs_, &QPushButton::clicked, this, [this] { cmdMoveAbs_Click(); });
    workingLabel_ = new QLabel("Working. Please Wait.", this);
    workingLabel_->setObjectName("Label19");
    workingLabel_->setStyleSheet("color: #b00000; font-weight: bold;");
    workingLabel_->hide();

    auto* header = new QHBoxLayout;
    auto* nameLabel = new QLabel("Company", this);
    nameLabel->setBuddy(txtName_);
    auto* yearLabel = new QLabel("Year End", this);
    yearLabel->setBuddy(txtYearEnd_);
    header->addWidget(nameLabel);
    header->addWidget(txtName_, 1);
    header->addSpacing(8);
    header->addWidget(yearLabel);
    header->addWidget(txtYearEnd_);
    header->addSpacing(8);
    header->addWidget(workingLabel_);
    outer->addLayout(header);

    // The asset box and the depreciation box: one above the other, side by
    // side when the window is wide enough (resizeEvent).
    formRow_ = new QBoxLayout(QBoxLayout::TopToBottom);
    formRow_->setSpacing(6);
    outer->addLayout(formRow_);
    outer->addStretch();

    auto fieldLabel = [this](int field) {
        auto* label = new QLabel(fields_[field].label, this);
        label->setBuddy(fields_[field].edit);
        return label;
    };

    // The asset: description, dates, group, listed-property flags.
    groupButton_ = makeToolButton("...", "Command13", "Select Group", "");
    autoFlagButton_ = makeToolButton("Set", "Command1", "Set Auto",
                                     "Click here to check the box and classify the asset as being "
                                     "subject to the passenger automobiles rules and classified as "
                                     "listed property.");
    listedFlagButton_ =
        makeToolButton("Set", "Command2", "Set Listed",
                       "Click here to check the box and classify the asset, other than "
                       "a passenger automobile, as listed property.");
    truckFlagButton_ = makeToolButton("Set", "Command26", "Set Truck or Van", kTruckTip);
    auto* assetBox = new QGroupBox("Asset", this);
    assetBox->setObjectName("assetBox");
    auto* ag = new QGridLayout(assetBox);
    ag->setContentsMargins(6, 4, 6, 6);
    ag->setHorizontalSpacing(6);
    ag->setVerticalSpacing(4);
    // The long label of YRPIS takes three lines, so that the form fits a
    // window 600 pixels wide.
    auto* yrpisLabel = fieldLabel(FYrpis);
    yrpisLabel->setText(fields_[FYrpis].label.trimmed());
    yrpisLabel->setWordWrap(true);
    yrpisLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    yrpisLabel->setFixedWidth(
        yrpisLabel->fontMetrics().horizontalAdvance("Year End Of Year Asset") + 8);
    ag->addWidget(fieldLabel(FDescription), 0, 0, Qt::AlignRight);
    ag->addWidget(fields_[FDescription].edit, 0, 1, 1, 3);
    ag->addWidget(yrpisLabel, 1, 0, Qt::AlignRight);
    ag->addWidget(fields_[FYrpis].edit, 1, 1);
    ag->addWidget(fieldLabel(FGroup), 1, 2, Qt::AlignRight);
    auto* groupRow = new QHBoxLayout;
    groupRow->setSpacing(2);
    groupRow->addWidget(fields_[FGroup].edit, 1);
    groupRow->addWidget(groupButton_);
    ag->addLayout(groupRow, 1, 3);
    ag->addWidget(fieldLabel(FPlaced), 2, 0, Qt::AlignRight);
    ag->addWidget(fields_[FPlaced].edit, 2, 1);
    ag->addWidget(fieldLabel(FDisposed), 2, 2, Qt::AlignRight);
    ag->addWidget(fields_[FDisposed].edit, 2, 3, Qt::AlignLeft);
    // Each field shows its widest value whole ("12/31/2012", "999,999,999.99").
    const int dateWidth = widthFor(fields_[FYrpis].edit, "00/00/00000");
    for (int f : {FYrpis, FPlaced, FDisposed}) fields_[f].edit->setFixedWidth(dateWidth);
    txtYearEnd_->setFixedWidth(dateWidth);
    fields_[FGroup].edit->setMinimumWidth(widthFor(fields_[FGroup].edit, "Machinery & Equip"));
    fields_[FGroup].edit->setMaximumWidth(dateWidth * 3);
    fields_[FDescription].edit->setMinimumWidth(dateWidth * 2);
    auto* flagRow = new QHBoxLayout;
    flagRow->addWidget(new QLabel("Listed property:", this));
    flagRow->addSpacing(6);
    flagRow->addWidget(checks_[CListed].box);
    flagRow->addWidget(listedFlagButton_);
    flagRow->addSpacing(18);
    flagRow->addWidget(checks_[CAuto].box);
    flagRow->addWidget(autoFlagButton_);
    flagRow->addSpacing(18);
    flagRow->addWidget(checks_[CTruck].box);
    flagRow->addWidget(truckFlagButton_);
    flagRow->addStretch();
    ag->addLayout(flagRow, 3, 0, 1, 4);
    ag->setColumnStretch(3, 1);
    formRow_->addWidget(assetBox, 0, Qt::AlignTop);

    // The two column sets side by side, one row per line of the form.
    taxMethodButton_ = makeToolButton("...", "Command11", "Select Dprn Method - Tax", "");
    taxLifeButton_ = makeToolButton("...", "Command12", "Select Dprn Life - Tax", "");
    bookMethodButton_ = makeToolButton("...", "Command14", "Select Dprn Method - Book", "");
    bookLifeButton_ = makeToolButton("...", "Command15", "Select Dprn Life - Book", "");
    bonusButton_ = makeToolButton("Bonus", "Command31", "Bonus",
                                  "Click here to calculate Bonus Depreciation, (Asset Cost - Sec. "
                                  "179) * (30% or 50% or 100%). ");
    auto* form = new QGroupBox("Depreciation", this);
    form->setObjectName("deprBox");
    auto* g = new QGridLayout(form);
    g->setContentsMargins(6, 4, 6, 6);
    g->setHorizontalSpacing(6);
    g->setVerticalSpacing(4);
    auto* taxHead = new QLabel("<b>Federal Tax</b>", this);
    auto* bookHead = new QLabel("<b>Book</b>", this);
    g->addWidget(taxHead, 0, 1, Qt::AlignHCenter);
    g->addWidget(bookHead, 0, 4, Qt::AlignHCenter);
    struct Line {
        int tax;
        int book;
        QWidget* taxExtra;
        QWidget* bookExtra;
    };
    const Line lines[] = {
        {FCostTax, FCostBook, nullptr, nullptr},
        {FMethodTax, FMethodBook, taxMethodButton_, bookMethodButton_},
        {FLifeTax, FLifeBook, taxLifeButton_, bookLifeButton_},
        {FUseTax, FUseBook, nullptr, nullptr},
        {FMidQrt, -1, nullptr, nullptr},
        {FSec179, -1, nullptr, nullptr},
        {FBonus, -1, bonusButton_, nullptr},
        {FItc, -1, nullptr, nullptr},
        {FSalvageTax, FSalvageBook, nullptr, nullptr},
        {FPriorTax, FPriorBook, nullptr, nullptr},
        {FCurrentTax, FCurrentBook, nullptr, nullptr},
    };
    int row = 1;
    for (const Line& line : lines) {
        auto* label = fieldLabel(line.tax);
        if (line.tax == FItc) label->setToolTip("Investment Tax Credit");
        g->addWidget(label, row, 0, Qt::AlignRight);
        g->addWidget(fields_[line.tax].edit, row, 1);
        if (line.taxExtra) g->addWidget(line.taxExtra, row, 2, Qt::AlignLeft);
        if (line.book >= 0) {
            g->addWidget(fields_[line.book].edit, row, 4);
            if (line.bookExtra) g->addWidget(line.bookExtra, row, 5, Qt::AlignLeft);
        }
        ++row;
    }
    // The override boxes under the current amounts they free.
    g->addWidget(checks_[CTaxOverride].box, row, 1, Qt::AlignLeft);
    g->addWidget(checks_[CBookOverride].box, row, 4, Qt::AlignLeft);
    const int amountWidth = std::max(widthFor(fields_[FCostTax].edit, "999,999,999.99"),
                                     widthFor(fields_[FCostTax].edit, "Non-Depreciable"));
    for (int i = 0; i < FieldCount; ++i)
        if (fields_[i].set != ColumnSet::Both) {
            fields_[i].edit->setMinimumWidth(amountWidth);
            fields_[i].edit->setMaximumWidth(amountWidth * 3 / 2);
        }
    fields_[FMidQrt].edit->setFixedWidth(widthFor(fields_[FMidQrt].edit, "00"));
    g->setColumnMinimumWidth(3, 6);
    g->setColumnStretch(1, 1);
    g->setColumnStretch(4, 1);
    g->setColumnStretch(6, 1);
    formRow_->addWidget(form, 0, Qt::AlignTop);

    // Warnings, in place of the dates note.
    lblDatesNote_ = new QLabel(kDatesNote, this);
    lblDatesNote_->setObjectName("lblDatesNote");
    lblDatesNote_->setStyleSheet("color: #404040; font-style: italic;");
    useOver100Label_ =
        warningLabel("Label5", "The Use  % was greater than 100%. Enter a valid percentage.", this);
    useSlppLabel_ =
        warningLabel("Label6", "Since Use <=  50%, method should be changed to MACRS SL-PP.", this);
    noSection179Label_ = warningLabel(
        "Label7", "When auto or listed property use falls to 50%, Sec. 179 is unavailable.", this);
    methodMissingLabel_ = warningLabel(
        "Label15",
        "The changes were not saved. A deprn method must be selected for each active column.",
        this);
    lifeMissingLabel_ = warningLabel(
        "Label13",
        "The changes were not saved. A deprn life must be selected for each active column.", this);
    lblUseMissing_ = warningLabel("lblUseMissing", QString(), this);
    lblYrpisAdvice_ = warningLabel("lblYrpisAdvice", QString(), this);
    // Below the list and the form, whatever the window's height: the
    // warnings, the buttons and the record bar.
    auto* commands = new QVBoxLayout;
    commands->setContentsMargins(6, 2, 6, 4);
    commands->setSpacing(4);
    auto* warnings = new QVBoxLayout;
    warnings->setSpacing(0);
    for (QLabel* l : {lblDatesNote_, useOver100Label_, useSlppLabel_, noSection179Label_,
                      methodMissingLabel_, lifeMissingLabel_, lblUseMissing_, lblYrpisAdvice_})
        warnings->addWidget(l);
    commands->addLayout(warnings);

    // Buttons.
    cmdAdd_ = makeButton("&Add Asset", "cmdAdd", "Click on this to add a new asset.");
    cmdEdit_ = makeButton("&Edit Asset", "cmdEdit",
                          "If you are not adding an asset, but simply want to change the data of "
                          "the current asset, click on this command \"before\" editing.");
    cmdUpdate_ = makeButton("&Save Asset", "cmdUpdate",
                            "Click here to save the changes and additions when you are finished.");
    cmdCancel_ = makeButton("&Cancel", "cmdCancel", "");
    // Each letter once in the window: Alt+D is Depreciate's and Alt+R the
    // Reports menu's. Every letter of Refresh is taken: it is F5, as on
    // every desktop.
    cmdDelete_ = makeButton("Dele&te Asset", "cmdDelete", "");
    cmdRefresh_ = makeButton("Refresh", "cmdRefresh", "Read the assets again (F5).");
    cmdRefresh_->setShortcut(QKeySequence(Qt::Key_F5));
    cmdClose_ = makeButton("&Close", "cmdClose", "");
    Picture1_ = makeToolButton("Save Company", "Picture1", "Save Company", "Save company to disk");
    connect(cmdAdd_, &QPushButton::clicked, this, [this] { cmdAdd_Click(); });
    connect(cmdEdit_, &QPushButton::clicked, this, [this] { cmdEdit_Click(); });
    connect(cmdUpdate_, &QPushButton::clicked, this, [this] { cmdUpdate_Click(); });
    connect(cmdCancel_, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    connect(cmdDelete_, &QPushButton::clicked, this, [this] { cmdDelete_Click(); });
    connect(cmdRefresh_, &QPushButton::clicked, this, [this] { cmdRefresh_Click(); });
    connect(cmdClose_, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
    connect(Picture1_, &QToolButton::clicked, this, [this] { mnuSaveCompany_Click(); });
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {cmdAdd_, cmdEdit_, cmdUpdate_, cmdCancel_, cmdDelete_, cmdRefresh_})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(Picture1_);
    buttons->addWidget(cmdClose_);
    commands->addLayout(buttons);

    // Status line, record moves and the run's progress bar.
    lblStatus_ = new QLabel(this);
    lblStatus_->setObjectName("lblStatus");
    lblStatus_->setFrameShape(QFrame::StyledPanel);
    lblStatus_->setFrameShadow(QFrame::Sunken);
    cmdFirst_ = makeToolButton("|<", "cmdFirst", "First", "First");
    cmdPrevious_ = makeToolButton("<", "cmdPrevious", "Previous", "Previous");
    cmdNext_ = makeToolButton(">", "cmdNext", "Next", "Next");
    cmdLast_ = makeToolButton(">|", "cmdLast", "Last", "Last");
    for (QToolButton* b : {cmdFirst_, cmdPrevious_, cmdNext_, cmdLast_}) b->setMinimumWidth(30);
    connect(cmdFirst_, &QToolButton::clicked, this, [this] { cmdFirst_Click(); });
    connect(cmdPrevious_, &QToolButton::clicked, this, [this] { cmdPrevious_Click(); });
    connect(cmdNext_, &QToolButton::clicked, this, [this] { cmdNext_Click(); });
    connect(cmdLast_, &QToolButton::clicked, this, [this] { cmdLast_Click(); });
    ProgressBar1_ = new QProgressBar(this);
    ProgressBar1_->setObjectName("ProgressBar1");
    ProgressBar1_->setAccessibleName("Progress");
    ProgressBar1_->setRange(0, 100);
    ProgressBar1_->hide();
    auto* statusRow = new QHBoxLayout;
    statusRow->addWidget(cmdFirst_);
    statusRow->addWidget(cmdPrevious_);
    statusRow->addWidget(lblStatus_);
    statusRow->addWidget(cmdNext_);
    statusRow->addWidget(cmdLast_);
    statusRow->addSpacing(8);
    statusRow->addWidget(recordNumberEdit_);
    statusRow->addWidget(cmdMoveAbs_);
    statusRow->addSpacing(8);
    statusRow->addWidget(ProgressBar1_, 1);
    statusRow->addStretch();
    commands->addLayout(statusRow);

    // Picker, flag and bonus buttons.
    connect(taxMethodButton_, &QToolButton::clicked, this, [this] { openPicker(FMethodTax); });
    connect(taxLifeButton_, &QToolButton::clicked, this, [this] { openPicker(FLifeTax); });
    connect(groupButton_, &QToolButton::clicked, this, [this] { openPicker(FGroup); });
    connect(bookMethodButton_, &QToolButton::clicked, this, [this] { openPicker(FMethodBook); });
    connect(bookLifeButton_, &QToolButton::clicked, this, [this] { openPicker(FLifeBook); });
    connect(autoFlagButton_, &QToolButton::clicked, this,
            [this] { flagButton(CAuto, "Calcform.Command1_Click"); });
    connect(listedFlagButton_, &QToolButton::clicked, this,
            [this] { flagButton(CListed, "Calcform.Command2_Click"); });
    connect(truckFlagButton_, &QToolButton::clicked, this,
            [this] { flagButton(CTruck, "Calcform.Command26_Click"); });
    connect(bonusButton_, &QToolButton::clicked, this, [this] { bonusClicked(); });

    // Tab order: the fields in the form's order, then the check boxes.
    QWidget* previous = nullptr;
    auto chain = [&](QWidget* w) {
        if (previous) setTabOrder(previous, w);
        previous = w;
    };
    for (auto& f : fields_) chain(f.edit);
    for (auto& c : checks_) chain(c.box);
    for (QWidget* w : {static_cast<QWidget*>(cmdAdd_), static_cast<QWidget*>(cmdEdit_),
                       static_cast<QWidget*>(cmdUpdate_), static_cast<QWidget*>(cmdCancel_),
                       static_cast<QWidget*>(cmdDelete_), static_cast<QWidget*>(cmdRefresh_),
                       static_cast<QWidget*>(cmdClose_)})
        chain(w);

    // The form scrolls up and down, never sideways: the window is at least
    // as wide as the form.
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName("formScroll");
    scroll->setWidget(page);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    formScroll_ = scroll;
    // The asset list above the form; the user moves the line between them.
    assetList_ = new AssetListPanel(this);
    connect(assetList_, &AssetListPanel::assetChosen, this,
            [this](qint64 key) { cmdShowAsset(key); });
    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->setObjectName("listSplitter");
    splitter->addWidget(assetList_);
    splitter->addWidget(scroll);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 2);
    auto* central = new QWidget(this);
    central->setObjectName("entryPage");
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(splitter, 1);
    column->addLayout(commands);
    setCentralWidget(central);
    SetButtons(true);
}

void MainWindow::buildMenu() {
    QMenuBar* bar = menuBar();
    auto item = [this](QMenu* menu, const QString& caption, auto slot,
                       const QKeySequence& keys = {}) {
        QAction* a = menu->addAction(caption, this, slot);
        if (!keys.isEmpty()) a->setShortcut(keys);
        return a;
    };
    // The company commands: "File", as on every desktop, with Exit last.
    QMenu* company = bar->addMenu("&File");
    item(
        company, "&Update Company Information",
        [this] {
            if (!settleRecord()) return;
            auto* w = new CompanyInfoWindow(dataPath_, this);
            connect(w, &OwnedWindow::closed, this, [this] { startCompanyRefreshStep(); });
            openMaintenanceWindow(w);
        },
        QKeySequence("Ctrl+U"));
    item(company, "Delete All Assets", [this] { mnuDelete_Click(); });
    item(
        company, "Sa&ve Company To Disk", [this] { mnuSaveCompany_Click(); },
        QKeySequence("Ctrl+I"));
    item(
        company, "&Copy Company From Disk",
        [this] {
            if (!settleRecord()) return;
            auto* w = new CopyCompanyWindow(dataPath_, this);
            w->setAttribute(Qt::WA_DeleteOnClose);
            connect(w, &OwnedWindow::closed, this, [this] { startReopenStep(); });
            w->Form_Load();
        },
        QKeySequence("Ctrl+D"));
    // Ctrl+X stays Cut in the fields.
    QAction* exit = company->addAction("&Exit", this, [this] { cmdClose_Click(); });
    exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    bar->addAction("&Groups", this,
                   [this] { openMaintenanceWindow(new GroupWindow(dataPath_, this)); });
    QMenu* system = bar->addMenu("S&ystem ");
    item(system, "&Set Drive, Directory and Display Size", [this] {
        if (!settings_) return;
        auto* w = new Sysfrm(*settings_, this);
        connect(w, &OwnedWindow::closed, this,
                [this] { QTimer::singleShot(delays_.sizing, this, [this] { DisplaySizing(); }); });
        openMaintenanceWindow(w);
    });
    item(system, "&Turn splash screen on or off ", [this] {
        if (settings_) toggleSplash(*settings_);
    });
    QAction* run = bar->addAction("&Depreciate", this, [this] { mnuDeprAssets_Click(false); });
    run->setObjectName("mnuDeprAssets");
    // Alt+A stays with "&Add Asset".
    QAction* runAll =
        bar->addAction("Depreciate A&ll", this, [this] { mnuDeprAssets_Click(true); });
    runAll->setObjectName("mnuDeprAll");
    QMenu* reports = bar->addMenu("&Reports");
    item(
        reports, "&Tax Depreciation Report",
        [this] {
            if (connection_) showDepreciationReport(this, *connection_, ReportKind::Tax);
        },
        QKeySequence("Ctrl+T"));
    item(
        reports, "&Book Depreciation Report",
        [this] {
            if (connection_) showDepreciationReport(this, *connection_, ReportKind::Book);
        },
        QKeySequence("Ctrl+B"));
    bar->addAction("Close YR", this, [this] { mnuCloseYR_Click(); });
    QMenu* help = bar->addMenu("&Help");
    item(
        help, "Help &Contents", [this] { showHelpContents(this, dataPath_); },
        QKeySequence("Ctrl+K"));
    item(
        help, "I&RS Depreciation Instructions", [this] { showInstructionsPrompt(this, dataPath_); },
        QKeySequence("Ctrl+R"));
    help->addAction("&About", this, [this] {
        AppIdentity app;
        QMessageBox::about(this, programTitle(),
                           QString("%1\nVersion %2.%3%4\n%5")
                               .arg(programTitle())
                               .arg(app.major)
                               .arg(app.minor)
                               .arg(app.revision)
                               .arg(QString::fromStdString(law::knownLaw())));
    });
}

void MainWindow::openMaintenanceWindow(QWidget* window) {
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
}

// The save reads the company file: what is typed on screen is settled first.
void MainWindow::mnuSaveCompany_Click() {
    if (!settleRecord()) return;
    openMaintenanceWindow(new SaveCompanyWindow(dataPath_, this));
}

void MainWindow::mnuCloseYR_Click() {
    if (!connection_ || !settleRecord()) return;
    confirmAndCloseYear(this, *connection_, [this] {
        companyRS_ = std::make_unique<RecordSet>(*connection_, "select * from Defaults");
        showCompanyHeader();
        reloadAssets();
    });
}

void MainWindow::mnuDelete_Click() {
    if (!connection_ || !settleRecord()) return;
    if (!askYesNo(this, kDeleteAllTitle, kDeleteAllQuestion)) return;
    procedure("Calcform.mnuDelete_Click", [&] {
        deleteAllAssets(*connection_);
        reloadAssets();
    });
}

// The asset rows changed underneath the screen: any edit in progress is
// dropped and the register opens again on its first asset.
void MainWindow::reloadAssets() {
    presenter_.abandon();
    SetButtons(true);
    hideWarnings();
    cmdOpenCo();
    if (assets_ && assets_->count() > 0)
        EnableColumns();
    else
        showEmptyState();
}

// ---------------------------------------------------------------- start-up

void MainWindow::Form_Load() {
    // The sizing step waits until the window has been laid out. The window
    // goes back where the user left it; the first time, the display sizing
    // of the settings places it.
    QTimer::singleShot(delays_.sizing, this, [this] {
        if (settings_ && WindowPlacement(settings_->file()).restore(this)) return;
        if (QScreen* s = screen()) resize(grownSize(designedSize(), s->availableGeometry().size()));
        DisplaySizing();
    });
    openCompany();
}

void MainWindow::openCompany() {
    bool loaded = procedure("Calcform.Form_Load", [&] {
        connection_ = Connection::open(dataPath_ + kCompanyFile);
        companyRS_ = std::make_unique<RecordSet>(*connection_, "select * from Defaults");
        showCompanyHeader();
        cmdOpenCo();
    });
    if (loaded && assets_ && assets_->count() > 0)
        EnableColumns();
    else
        showEmptyState();
}

void MainWindow::startReopenStep() {
    beginWaiting();
    QTimer::singleShot(delays_.maintenance, this, [this] {
        ReopenStep();
        endWaiting();
    });
}

void MainWindow::startCompanyRefreshStep() {
    beginWaiting();
    QTimer::singleShot(delays_.maintenance, this, [this] {
        CompanyRefresh();
        endWaiting();
    });
}

// While "Working. Please Wait." shows, the window takes no input: an asset
// typed in meanwhile would be dropped when the step reopens the company.
// The window comes back when the last pending step has run, even a failed one.
void MainWindow::beginWaiting() {
    ++waitingSteps_;
    workingLabel_->show();
    setEnabled(false);
    setCursor(Qt::WaitCursor);
}

void MainWindow::endWaiting() {
    if (waitingSteps_ > 0 && --waitingSteps_ > 0) return;
    workingLabel_->hide();
    unsetCursor();
    setEnabled(true);
    // An asset added to an empty company is typed from its description.
    if (presenter_.adding()) fields_[FDescription].edit->setFocus();
}

void MainWindow::ReopenStep() {
    procedure("Calcform.TimerReopen_Timer", [&] {
        assetList_->close();
        presenter_.attach(nullptr);
        assetSource_.reset();
        assets_.reset();
        companyRS_.reset();
        connection_.reset();
        if (settings_ && !dataPathKept_) {
            std::string path = settings_->get(setting::kNewpath);
            if (!path.empty()) dataPath_ = path.back() == '/' ? path : path + '/';
        }
        presenter_.abandon();
        SetButtons(true);
        hideWarnings();
        openCompany();
    });
}

void MainWindow::showCompanyHeader() {
    if (!companyRS_ || !companyRS_->hasCurrent()) return;
    companyNumberEdit_->setText(
        QString::fromStdString(asText(companyRS_->get(col::CompanyNumber))));
    txtName_->setText(QString::fromStdString(asText(companyRS_->get(col::Name))));
    // "Riverside Machine Works, Inc. — CZX Depreciation", as desktops write
    // a document's window.
    const QString name = txtName_->text().trimmed();
    setWindowTitle(name.isEmpty() ? programTitle()
                                  : QString("%1 \u2014 %2").arg(name, programTitle()));
    auto yearEnd = companyYearEnd();
    txtYearEnd_->setText(yearEnd ? QString::fromStdString(shortDate(*yearEnd)) : QString());
}

void MainWindow::cmdOpenCo() {
    procedure("Calcform.cmdOpenCo", [&] {
        std::string number = asText(companyRS_->get(col::CompanyNumber));
        std::string sql = "select * from assets where companynumber =" + number;
        presenter_.attach(nullptr);
        assetSource_.reset();
        assets_ = std::make_unique<RecordSet>(*connection_, sql);
        assetSource_ = std::make_unique<RecordSetSource>(*assets_);
        presenter_.attach(assetSource_.get());
        assets_->moved = [this] { assetMoved(); };
        // A move stores the row it leaves; the list shows what was stored.
        assets_->willMove = [this] { listStale_ = assets_->changesValues(); };
        assetList_->open(*connection_, asNumber(companyRS_->get(col::CompanyNumber)).value_or(1));
        bound_ = true;
        assetMoved();
        presenter_.clearChanged();
    });
}

void MainWindow::DisplaySizing() {
    procedure("Calcform.TimerSizing_Timer", [&] {
        QString setting = settings_
                              ? QString::fromStdString(settings_->get(setting::kUpdateScreenHeight))
                              : QString();
        QRect r = windowGeometry(metricsOf(this), setting, size());
        // A height set by hand beyond the screen is cut to the screen.
        if (QScreen* s = screen()) r = fitToArea(r, s->availableGeometry());
        resize(r.size());
        move(r.topLeft());
    });
}

void MainWindow::CompanyRefresh() {
    procedure("Calcform.TimerRefresh_Timer", [&] {
        companyRS_ = std::make_unique<RecordSet>(*connection_, "select * from Defaults");
        showCompanyHeader();
        EnableColumns();
        showYrpisAdvice();
    });
}

bool MainWindow::companyFlag(std::string_view column) const {
    return companyRS_ && companyRS_->hasCurrent() && asBool(companyRS_->get(column));
}

std::optional<Date> MainWindow::companyYearEnd() const {
    if (!companyRS_ || !companyRS_->hasCurrent()) return std::nullopt;
    return parseIsoDate(asText(companyRS_->get(col::YearEnd)));
}

// ---------------------------------------------------------------- binding

bool MainWindow::hasRow() const {
    return assets_ && (assets_->hasCurrent() || assets_->adding());
}

void MainWindow::showRecord() {
    const bool row = hasRow();
    for (auto& f : fields_) {
        f.edit->setText(row ? displayText(f.kind, assets_->get(f.column)) : QString());
        f.edit->setCursorPosition(0);
        f.dirty = false;
    }
    for (auto& c : checks_) c.box->setChecked(row && asBool(assets_->get(c.column)));
    showYrpisAdvice();
}

void MainWindow::pushField(int field) {
    auto& f = fields_[field];
    if (!f.dirty) return;
    if (!hasRow()) {
        f.dirty = false;
        return;
    }
    assets_->set(f.column, storedValue(f.kind, f.edit->text()));
    f.dirty = false;
}

void MainWindow::pushAll() {
    for (int i = 0; i < FieldCount; ++i) pushField(i);
}

void MainWindow::setFieldValue(int field, const QString& text) {
    fields_[field].edit->setText(text);
    fields_[field].dirty = true;
    pushField(field);
}

void MainWindow::writeCheck(int check, bool value) {
    if (!hasRow()) return;
    assets_->set(checks_[check].column, Value(std::int64_t{value ? 1 : 0}));
}

void MainWindow::setColumn(std::string_view column, const Value& value) {
    if (hasRow()) assets_->set(column, value);
}

void MainWindow::assetMoved() {
    procedure("Calcform.objRec2_MoveComplete", [&] {
        if (bound_) showRecord();
        presenter_.clearChanged();
        if (assets_->count() == 0 && !assets_->adding()) {
            if (!RunInProgress_) showEmptyState();
            return;
        }
        if (!presenter_.adding() && assets_->hasCurrent())
            showStatus(QString("Record: %1").arg(assets_->absolutePosition()));
        if (std::exchange(listStale_, false))
            refreshAssetList();
        else
            assetList_->selectAsset(shownAsset());
    });
}

std::optional<Bookmark> MainWindow::shownAsset() const {
    if (!assets_ || !assets_->hasCurrent() || presenter_.adding()) return std::nullopt;
    return assets_->bookmark();
}

void MainWindow::refreshAssetList() {
    assetList_->reload();
    assetList_->selectAsset(shownAsset());
}

// A row chosen in the list: the form moves to it as it moves to any row,
// storing the typing first and after the record check; while an asset is
// added or edited it stays.
void MainWindow::cmdShowAsset(Bookmark key) {
    procedure("Calcform.AssetList_Choose", [&] {
        if (!presenter_.moveToBookmark(key)) assetList_->selectAsset(shownAsset());
    });
}

void MainWindow::showStatus(const QString& text) {
    lblStatus_->setText(text);
}

void MainWindow::showEmptyState() {
    showStatus(kEmptyCompany);
    DisableAll();
}

// ---------------------------------------------------------------- form rules

void MainWindow::EnableColumns() {
    procedure("Calcform.EnableColumns", [&] {
        const bool tax = companyFlag(col::RegularFederal);
        const bool book = companyFlag(col::Book);
        auto bySet = [&](ColumnSet set) {
            return set == ColumnSet::Both || (set == ColumnSet::Tax ? tax : book);
        };
        for (auto& f : fields_) f.edit->setEnabled(f.typed && bySet(f.set));
        for (auto& c : checks_) c.box->setEnabled(c.direct && bySet(c.set));
        groupButton_->setEnabled(true);
        for (QToolButton* b : {taxMethodButton_, taxLifeButton_, autoFlagButton_, listedFlagButton_,
                               truckFlagButton_, bonusButton_})
            b->setEnabled(tax);
        for (QToolButton* b : {bookMethodButton_, bookLifeButton_}) b->setEnabled(book);
    });
}

void MainWindow::DisableAll() {
    for (auto& f : fields_) f.edit->setEnabled(false);
    for (auto& c : checks_) c.box->setEnabled(false);
    for (QToolButton* b :
         {taxMethodButton_, taxLifeButton_, groupButton_, bookMethodButton_, bookLifeButton_,
          autoFlagButton_, listedFlagButton_, truckFlagButton_, bonusButton_})
        b->setEnabled(false);
}

void MainWindow::SetButtons(bool browsing) {
    cmdAdd_->setVisible(browsing);
    cmdEdit_->setVisible(browsing);
    cmdDelete_->setVisible(browsing);
    cmdClose_->setVisible(browsing);
    cmdUpdate_->setVisible(!browsing);
    cmdCancel_->setVisible(!browsing);
    for (QToolButton* b : {cmdFirst_, cmdPrevious_, cmdNext_, cmdLast_}) b->setEnabled(browsing);
    // Moving to a record number is a move too.
    recordNumberEdit_->setEnabled(browsing);
    cmdMoveAbs_->setEnabled(browsing);
}

void MainWindow::hideWarnings() {
    for (QLabel* l : {useOver100Label_, useSlppLabel_, noSection179Label_, lifeMissingLabel_,
                      methodMissingLabel_, lblUseMissing_})
        l->hide();
    lblDatesNote_->setHidden(!lblYrpisAdvice_->isHidden());
}

// Advice, not a refusal: the row saves and moves as it is.
void MainWindow::showYrpisAdvice() {
    std::optional<Date> yrpis;
    if (hasRow()) yrpis = parseUsDate(fields_[FYrpis].edit->text().trimmed().toStdString());
    const QString advice = yrpisAdvice(yrpis, companyYearEnd());
    lblYrpisAdvice_->setText(advice);
    lblYrpisAdvice_->setHidden(advice.isEmpty());
    bool warned = !advice.isEmpty();
    for (QLabel* l : {useOver100Label_, useSlppLabel_, noSection179Label_, lifeMissingLabel_,
                      methodMissingLabel_, lblUseMissing_})
        warned |= !l->isHidden();
    lblDatesNote_->setHidden(warned);
}

void MainWindow::showWarning(RecordWarning warning) {
    QLabel* label = nullptr;
    switch (warning) {
        case RecordWarning::None:
            return;
        case RecordWarning::UseOver100:
            label = useOver100Label_;
            break;
        case RecordWarning::UseMethodSLPP:
            label = useSlppLabel_;
            break;
        case RecordWarning::UseNoSection179:
            label = noSection179Label_;
            break;
        case RecordWarning::MethodMissing:
            label = methodMissingLabel_;
            break;
        case RecordWarning::LifeMissing:
            label = lifeMissingLabel_;
            break;
        case RecordWarning::UseTaxMissing:
        case RecordWarning::UseBookMissing: {
            const int field = warning == RecordWarning::UseTaxMissing ? FUseTax : FUseBook;
            label = lblUseMissing_;
            label->setText(QString("The changes were not saved. Enter the %1: 1 for 100%, .5 for "
                                   "50%.")
                               .arg(fields_[field].accessible));
            fields_[field].edit->setFocus();
            break;
        }
    }
    QApplication::beep();
    lblDatesNote_->hide();
    label->show();
}

bool MainWindow::RecordCheck() {
    bool passed = false;
    procedure("Calcform.RecordCheck", [&] {
        hideWarnings();
        if (!hasRow()) return;
        // The shares are stored as typed, to two decimals.
        for (int f : {FUseTax, FUseBook}) {
            auto& field = fields_[f];
            Value stored = storedValue(FieldKind::Share, field.edit->text());
            assets_->set(field.column, stored);
            field.edit->setText(displayText(FieldKind::Share, stored));
            field.dirty = false;
        }
        RecordCheckInput in;
        in.regularFederal = companyFlag(col::RegularFederal);
        in.book = companyFlag(col::Book);
        in.methodTax = fields_[FMethodTax].edit->text();
        in.lifeTax = fields_[FLifeTax].edit->text();
        in.methodBook = fields_[FMethodBook].edit->text();
        in.lifeBook = fields_[FLifeBook].edit->text();
        in.useTax = asNumber(assets_->get(col::BusUseTax)).value_or(0);
        in.useTaxBlank = fields_[FUseTax].edit->text().trimmed().isEmpty();
        in.useBookBlank = fields_[FUseBook].edit->text().trimmed().isEmpty();
        in.listedOrAuto = checks_[CListed].box->isChecked() || checks_[CAuto].box->isChecked();
        auto yrpis = parseIsoDate(asText(assets_->get(col::YRPIS)));
        auto yearEnd = companyYearEnd();
        in.placedThisYear = yrpis && yearEnd && *yrpis == *yearEnd;
        in.section179 = parseNumber(fields_[FSec179].edit->text()).value_or(0);
        RecordWarning warning = checkRecord(in);
        showWarning(warning);
        showYrpisAdvice();
        passed = warning == RecordWarning::None;
    });
    return passed;
}

// ---------------------------------------------------------------- buttons

void MainWindow::cmdAdd_Click() {
    procedure("Calcform.cmdAdd_Click", [&] {
        if (!assets_) return;
        const bool wasEmpty = assets_->count() == 0;
        if (!settleRecord()) return;
        // What is left pending (the changed flag of a field entered) is not
        // the user's: the new row must not store it into the row it leaves.
        assets_->cancelUpdate();
        presenter_.beginAdd();
        showRecord();
        hideWarnings();
        showStatus("Add record");
        SetButtons(false);
        if (wasEmpty) startCompanyRefreshStep();
        QTimer::singleShot(delays_.addFollowUp, this, [this] { AddFollowUp(); });
    });
}

void MainWindow::AddFollowUp() {
    procedure("Calcform.TimerAdd_Timer", [&] {
        if (!presenter_.adding()) return;
        auto yearEnd = companyYearEnd();
        setFieldValue(FYrpis, yearEnd ? QString::fromStdString(paddedDate(*yearEnd)) : QString());
        showYrpisAdvice();
        fields_[FDescription].edit->setFocus();
    });
}

void MainWindow::cmdEdit_Click() {
    procedure("Calcform.cmdEdit_Click", [&] {
        showStatus("Edit record");
        presenter_.beginEdit();
        SetButtons(false);
    });
}

void MainWindow::cmdUpdate_Click() {
    // Save Asset is hidden now; left alone the focus would pass on to Delete
    // Asset, where the next Space would delete the asset just saved.
    if (saveRecord()) cmdAdd_->setFocus();
}

// Save Asset's work, shared by every path that stores the row on screen: the
// record check first. False (the warning shown) when the row was not stored.
bool MainWindow::saveRecord() {
    bool stored = false;
    procedure("Calcform.cmdUpdate_Click", [&] {
        if (!hasRow() || !typedValuesAccepted()) return;
        pushAll();
        if (!RecordCheck()) return;
        assets_->set(col::AssetChanged, Value(std::int64_t{1}));
        assets_->set(col::CompanyNumber, Value(std::int64_t{1}));
        assets_->update();
        if (!presenter_.saved()) showRecord();
        SetButtons(true);
        stored = true;
        dateAdvice();
        showStatus(QString("Record: %1").arg(assets_->absolutePosition()));
        refreshAssetList();
    });
    return stored;
}

// Before the screen leaves the row it shows (a move, Add, Refresh, closing
// the window, the company commands), typing not yet stored is never dropped
// without asking: Save stores it through the record check, Discard drops it.
// False when the row must stay on screen (Cancel, or the check refused it).
bool MainWindow::settleRecord() {
    if (!hasRow() || !typedSinceShown()) return true;
    const QString description = fields_[FDescription].edit->text().trimmed();
    QString what = QString("'%1'").arg(description);
    if (description.isEmpty()) what = presenter_.adding() ? "the new asset" : "this asset";
    switch (askToSave(this, what)) {
        case SaveAnswer::Save:
            return saveRecord();
        case SaveAnswer::Discard:
            discardRecord();
            return true;
        case SaveAnswer::Cancel:
            break;
    }
    return false;
}

// Drops what was typed into the row on screen: an add or an edit ends as
// Cancel ends it; while browsing the row shows again as it is stored.
void MainWindow::discardRecord() {
    if (!presenter_.browsing()) return cmdCancel_Click();
    for (auto& f : fields_) f.dirty = false;
    assets_->cancelUpdate();
    showRecord();
    hideWarnings();
    presenter_.clearChanged();
}

// A typo is a plain message naming the field and what it takes, with the
// focus back in the field; the error report is for faults of the program.
// False when a field typed into holds text its column cannot take.
bool MainWindow::typedValuesAccepted() {
    for (int i = 0; i < FieldCount; ++i)
        if (fields_[i].dirty && !fieldAccepts(i)) return false;
    return true;
}

// False (the message shown) when the field's text is no value of its kind;
// a `required` field must not be blank either.
bool MainWindow::fieldAccepts(int field, bool required) {
    const auto& f = fields_[field];
    QString message = typoMessage(f.kind, fieldName(field), f.edit->text());
    if (message.isEmpty() && required && f.edit->text().trimmed().isEmpty())
        message = blankMessage(f.kind, fieldName(field));
    if (message.isEmpty()) return true;
    reportTypo(field, message);
    return false;
}

void MainWindow::reportTypo(int field, const QString& message) {
    typoPending_ = -1;
    showMessage(this, message);
    QLineEdit* edit = fields_[field].edit;
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
}

QString MainWindow::fieldName(int field) const {
    QString name = fields_[field].accessible;
    if (name.startsWith("* ")) name.remove(0, 2);
    return name;
}

bool MainWindow::typedSinceShown() const {
    bool typed = presenter_.changed();
    for (const auto& f : fields_) typed |= f.dirty && f.typed;
    return typed;
}

void MainWindow::dateAdvice() {
    auto placed = parseIsoDate(asText(assets_->get(col::PlacedInService)));
    auto yrpis = parseIsoDate(asText(assets_->get(col::YRPIS)));
    if (!placed || !yrpis) return;
    // The first fiscal year is the twelve months ending on YRPIS.
    const int yearLength = daysBetween(addYearsClamped(*yrpis, -1), *yrpis);
    if (daysBetween(*placed, *yrpis) >= yearLength)
        showMessage(this,
                    "The difference between the Year Placed In Service and the Date Placed In "
                    "Service exceeds one year. Correct one of the dates.");
    if (*placed > *yrpis)
        showMessage(this,
                    "The Date Placed In Service exceeds the Year Placed In Service. Correct one "
                    "of the dates.");
}

void MainWindow::cmdCancel_Click() {
    procedure("Calcform.cmdCancel_Click", [&] {
        SetButtons(true);
        cmdAdd_->setFocus();  // not Delete Asset, which follows Cancel
        hideWarnings();
        for (auto& f : fields_) f.dirty = false;
        presenter_.cancel();
        if (assets_ && assets_->count() == 0) showEmptyState();
    });
}

// A deleted asset cannot be brought back: Delete asks first, No the default.
void MainWindow::cmdDelete_Click() {
    procedure("Calcform.cmdDelete_Click", [&] {
        if (!assets_ || !assets_->hasCurrent()) return;
        const QString question = QString("Delete the asset '%1'? This cannot be undone.")
                                     .arg(fields_[FDescription].edit->text().trimmed());
        if (!askYesNo(this, programTitle(), question)) return;
        for (auto& f : fields_) f.dirty = false;
        assets_->deleteCurrent();
        if (assets_->eof() && assets_->count() > 0) assets_->moveLast();
        // Re-read the set and stay on the row the delete moved to.
        std::optional<Bookmark> mark;
        if (assets_->hasCurrent()) mark = assets_->bookmark();
        assets_->requery();
        if (mark) assets_->setBookmark(*mark);
        refreshAssetList();
    });
}

void MainWindow::cmdRefresh_Click() {
    procedure("Calcform.cmdRefresh_Click", [&] {
        if (!assets_) return;
        // The row on screen is stored only through the record check; an add
        // or an edit that was not stored ends.
        if (!settleRecord()) return;
        assets_->cancelUpdate();
        if (!presenter_.browsing()) {
            presenter_.abandon();
            hideWarnings();
            SetButtons(true);
        }
        for (auto& f : fields_) f.dirty = false;
        assets_->requery();
        if (assets_->count() == 0) showEmptyState();
        refreshAssetList();
    });
}

void MainWindow::cmdClose_Click() {
    procedure("Calcform.cmdClose_Click", [&] { close(); });
}

void MainWindow::cmdFirst_Click() {
    procedure("Calcform.cmdFirst_Click", [&] { presenter_.move(RecordMove::First); });
}

void MainWindow::cmdLast_Click() {
    procedure("Calcform.cmdLast_Click", [&] { presenter_.move(RecordMove::Last); });
}

void MainWindow::cmdNext_Click() {
    procedure("Calcform.cmdNext_Click", [&] { presenter_.move(RecordMove::Next); });
}

void MainWindow::cmdPrevious_Click() {
    procedure("Calcform.cmdPrevious_Click", [&] { presenter_.move(RecordMove::Previous); });
}

void MainWindow::cmdMoveAbs_Click() {
    procedure("Calcform.cmdMoveAbs_Click", [&] {
        if (!assets_) return;
        bool ok = false;
        long position = recordNumberEdit_->text().trimmed().toLong(&ok);
        if (!ok) {
            showMessage(this, QString("Record Number takes the number of an asset, from 1 to %1.")
                                  .arg(assets_->count()));
            recordNumberEdit_->setFocus(Qt::OtherFocusReason);
            recordNumberEdit_->selectAll();
            return;
        }
        presenter_.moveTo(position);
    });
}

// "&Depreciate" computes the assets changed since the last run, "Depreciate
// A&ll" every asset of the company; both save the asset on screen first and
// return to it afterwards, showing what is stored: a run that cannot finish
// stores nothing, and the screen shows the amounts as they were.
void MainWindow::mnuDeprAssets_Click(bool allAssets) {
    runStep([&] {
        if (presenter_.adding()) {
            showMessage(this, "Click on the Save Asset command before depreciating the asset.");
            return;
        }
        if (!assets_ || !assets_->hasCurrent()) return;
        // The asset on screen is saved first as Save Asset saves it: through
        // the record check. An edit in progress ends with that save.
        if (!typedValuesAccepted()) return;
        pushAll();
        if (!RecordCheck()) return;
        RunGuard guard(RunInProgress_, bound_, ProgressBar1_);
        RunInProgress_ = true;
        ProgressBar1_->setValue(0);
        ProgressBar1_->show();
        assets_->set(col::AssetChanged, Value(std::int64_t{1}));
        assets_->update();
        if (presenter_.editing()) {
            presenter_.abandon();
            SetButtons(true);
        }
        presenter_.clearChanged();
        const Bookmark mark = assets_->bookmark();
        // The fields stay as they are while the passes walk the assets.
        bound_ = false;
        DepreciateAssets(*connection_, *feedback_, allAssets);
        assets_->requery();
        assets_->setBookmark(mark);
        bound_ = true;
        showRecord();
        refreshAssetList();
    });
}

// ---------------------------------------------------------------- pickers

void MainWindow::openPicker(int field) {
    static const std::map<int, const char*> names = {{FMethodTax, "Calcform.Command11_Click"},
                                                     {FLifeTax, "Calcform.Command12_Click"},
                                                     {FGroup, "Calcform.Command13_Click"},
                                                     {FMethodBook, "Calcform.Command14_Click"},
                                                     {FLifeBook, "Calcform.Command15_Click"}};
    procedure(names.at(field), [&] {
        if (!hasRow()) return;
        QLineEdit* target = fields_[field].edit;
        target->setEnabled(true);
        target->setFocus();
        PickerField_ = field;
        QString caption;
        switch (field) {
            case FMethodTax:
                PickerTable_ = "Methods";
                PickerColumn_ = "Method-Tax";
                PickerCheckBox_ = CAuto;
                caption = "Select Method";
                break;
            case FMethodBook:
                PickerTable_ = "Methods";
                PickerColumn_ = "Method-Book";
                caption = "Select Method";
                break;
            case FGroup:
                PickerTable_ = "groups";
                PickerColumn_ = "groupname";
                caption = "Select Group";
                break;
            case FLifeTax:
            case FLifeBook: {
                // A method that names no list keeps the previous request's list.
                const auto& lists = field == FLifeTax ? taxLifeLists() : bookLifeLists();
                const QString method =
                    fields_[field == FLifeTax ? FMethodTax : FMethodBook].edit->text();
                if (auto it = lists.find(method); it != lists.end()) {
                    PickerTable_ = it->second.table;
                    PickerColumn_ = it->second.column;
                }
                caption = "Select Life";
                break;
            }
        }
        setColumn(col::AssetChanged, Value(std::int64_t{1}));
        const std::string file = dataPath_ + (field == FGroup ? kCompanyFile : kCatalogueFile);
        ADOSelcMethLife picker(this, caption, QString::fromStdString(file), PickerTable_,
                               PickerColumn_,
                               [this](const QString& entry) { pickerChoice(entry); });
        picker.selectEntry(target->text());
        picker.exec();
        QTimer::singleShot(delays_.pickerFollowUp, this, [this, field] { FieldLock(field); });
    });
}

void MainWindow::pickerChoice(const QString& entry) {
    const int field = PickerField_;
    QString value = entry;
    if (field == FMethodTax && PickerCheckBox_ >= 0 && checks_[PickerCheckBox_].box->isChecked()) {
        // A passenger automobile takes the automobile method above 50 %
        // business use and straight line at 50 % or less, whatever was picked.
        const double use = asNumber(assets_->get(col::BusUseTax)).value_or(0);
        value = use > 0.5 ? "MACRS-Auto" : "MACRS SL-PP";
    }
    setFieldValue(field, value);
    presenter_.markChanged();
    QTimer::singleShot(delays_.pickerFollowUp, this, [this, field] { AfterChoice(field); });
}

void MainWindow::AfterChoice(int field) {
    procedure("Calcform.TimerPick_Timer", [&] {
        fields_[field].edit->setEnabled(false);
        // A new method always needs a new life.
        if (field == FMethodTax) clearLife(FLifeTax);
        if (field == FMethodBook) clearLife(FLifeBook);
        QTimer::singleShot(delays_.pickerFollowUp, this, [this] { AutomobileStep(); });
    });
}

void MainWindow::clearLife(int field) {
    QLineEdit* life = fields_[field].edit;
    life->setEnabled(true);
    life->setFocus();
    setFieldValue(field, QString());
    life->setEnabled(false);
}

void MainWindow::AutomobileStep() {
    procedure("Calcform.TimerAuto_Timer", [&] {
        if (fields_[FMethodTax].edit->text() != "MACRS-Auto") return;
        QCheckBox* box = checks_[CAuto].box;
        box->setEnabled(true);
        box->setFocus();
        box->setChecked(true);
        writeCheck(CAuto, true);
        box->setEnabled(false);
    });
}

void MainWindow::FieldLock(int field) {
    procedure("Calcform.TimerLock_Timer", [&] { fields_[field].edit->setEnabled(false); });
}

// ---------------------------------------------------------------- flags and bonus

void MainWindow::flagButton(int check, const char* procedureName) {
    procedure(procedureName, [&] {
        if (!hasRow()) return;
        setColumn(col::AssetChanged, Value(std::int64_t{1}));
        QCheckBox* box = checks_[check].box;
        box->setEnabled(true);
        box->setFocus();
        box->setChecked(!box->isChecked());
        writeCheck(check, box->isChecked());
        box->setEnabled(false);
        presenter_.markChanged();
    });
}

void MainWindow::bonusClicked() {
    procedure("Calcform.Command31_Click", [&] {
        if (!hasRow()) return;
        const QString placedText = fields_[FPlaced].edit->text().trimmed();
        if (placedText.isEmpty()) {
            QMessageBox box(QMessageBox::Warning, "Need Date For Bonus Depreciation",
                            "There must be a date in the Actual Date In\nService field for this "
                            "command to function.",
                            QMessageBox::Ok, this);
            box.exec();
            return;
        }
        if (!fieldAccepts(FPlaced) || !fieldAccepts(FCostTax, true) ||
            !fieldAccepts(FUseTax, true) || !fieldAccepts(FSec179))
            return;
        auto placed = parseUsDate(placedText.toStdString());
        auto read = [this](int field) {
            return parseNumber(fields_[field].edit->text().trimmed()).value_or(0);
        };
        const double cost = read(FCostTax);
        // The share is first written "##0.00" and read back as a number.
        const double use = parseNumber(QString::number(read(FUseTax), 'f', 2)).value_or(0);
        const double s179 = read(FSec179);
        using namespace std::chrono;
        const Date bonusStart{year{2001}, month{9}, day{10}};
        if (cost > kAutoNoticeCost && fields_[FMethodTax].edit->text() == "MACRS-Auto" &&
            *placed > bonusStart) {
            QMessageBox box(QMessageBox::Information,
                            "Automobile Limits May Restrict Bonus Depreciation",
                            "Since the MACRS-Auto method was selected, this asset is subject to "
                            "the\npassenger automobile limits and the Depreciate command may "
                            "revise the\npreliminary amount of Bonus Depreciation calculated by "
                            "this command.",
                            QMessageBox::Ok, this);
            box.exec();
        }
        const law::BonusPeriod bonus = law::bonusFor(*placed);
        if (bonus.outcome == law::BonusOutcome::Zero)
            setFieldValue(FBonus, "0.00");
        else if (bonus.outcome == law::BonusOutcome::Rate)
            setFieldValue(FBonus, formatMoney(bonusAmount(cost, use, s179, bonus.rate)));
        setColumn(col::AssetChanged, Value(std::int64_t{1}));
        setColumn(col::CompanyNumber, Value(std::int64_t{1}));
        presenter_.markChanged();
    });
}

void MainWindow::Section179Reminder() {
    procedure("Calcform.txtFields_MouseMove", [&] {
        const QString placedText = fields_[FPlaced].edit->text().trimmed();
        if (placedText.isEmpty()) return;
        auto placed = parseUsDate(placedText.toStdString());
        using namespace std::chrono;
        const Date heavySuvStart{year{2004}, month{10}, day{22}};
        const bool remind = placed && *placed > heavySuvStart &&
                            fields_[FLifeTax].edit->text() == "5" &&
                            fields_[FMethodTax].edit->text() == "MACRS";
        fields_[FSec179].edit->setToolTip(remind ? heavyVehicleTip(yearOf(*placed)) : QString());
    });
}

// ---------------------------------------------------------------- field events

void MainWindow::txtFields_GotFocus(int field) {
    procedure("Calcform.txtFields_GotFocus", [&] {
        if (assets_ && assets_->count() > 0 && hasRow())
            assets_->set(col::AssetChanged, Value(std::int64_t{1}));
        if (field == FUseTax) useOver100Label_->hide();
        if (fields_[field].tag == "Num3") {
            // The share is selected, so that what is typed replaces it, and
            // passing through keeps it. (A click would place the cursor after
            // the focus came: the selection follows the click.)
            QLineEdit* edit = fields_[field].edit;
            edit->selectAll();
            QTimer::singleShot(0, edit, [edit] {
                if (edit->hasFocus()) edit->selectAll();
            });
        }
    });
}

void MainWindow::txtFields_LostFocus(int field) {
    procedure("Calcform.txtFields_LostFocus", [&] {
        auto& f = fields_[field];
        // A blank amount is nought. A blank share stays blank: the record
        // check asks for one rather than assume a business use.
        if (f.edit->text().isEmpty() && f.tag == "Num") {
            f.edit->setText("0.00");
            f.dirty = true;
        }
        if (!hasRow()) return;
        // A value the row cannot take stays in the field and is reported as
        // soon as the focus has settled, unless a command reports it first
        // or the typing is dropped meanwhile.
        if (f.dirty) {
            if (!typoMessage(f.kind, fieldName(field), f.edit->text()).isEmpty()) {
                typoPending_ = field;
                QTimer::singleShot(0, this, [this, field] {
                    if (typoPending_ != field || QApplication::activeModalWidget()) return;
                    typoPending_ = -1;
                    if (fields_[field].dirty) fieldAccepts(field);
                });
            } else {
                pushField(field);
                if (f.kind != FieldKind::Text)
                    f.edit->setText(displayText(f.kind, assets_->get(f.column)));
            }
        }
        if (field == FYrpis) showYrpisAdvice();
        if (assets_->count() > 0) {
            auto bookUse = asNumber(assets_->get(col::BusUseBook));
            if (bookUse && *bookUse > 1) {
                assets_->set(col::BusUseBook, Value(1.0));
                fields_[FUseBook].edit->setText(formatShare(1.0));
                fields_[FUseBook].dirty = false;
                QApplication::beep();
                lblDatesNote_->hide();
                useOver100Label_->show();
            }
        }
    });
}

void MainWindow::chkFields_GotFocus(int) {
    procedure("Calcform.chkFields_GotFocus", [&] {
        if (assets_ && assets_->count() > 0 && hasRow())
            assets_->set(col::AssetChanged, Value(std::int64_t{1}));
    });
}

bool MainWindow::navigationKey(QKeyEvent* event) {
    if (!presenter_.browsing() || !isEnabled()) return false;
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    // End and Home move inside the text field that has the focus; between
    // records only from the record bar, or with Ctrl.
    QWidget* focus = QApplication::focusWidget();
    const bool recordBar = focus && (focus == cmdFirst_ || focus == cmdPrevious_ ||
                                     focus == cmdNext_ || focus == cmdLast_);
    switch (event->key()) {
        case Qt::Key_Escape:
            cmdClose_Click();
            return true;
        case Qt::Key_End:
            if (!ctrl && !recordBar) return false;
            cmdLast_Click();
            return true;
        case Qt::Key_Home:
            if (!ctrl && !recordBar) return false;
            cmdFirst_Click();
            return true;
        case Qt::Key_Up:
        case Qt::Key_PageUp:
            ctrl ? cmdFirst_Click() : cmdPrevious_Click();
            return true;
        case Qt::Key_Down:
        case Qt::Key_PageDown:
            ctrl ? cmdLast_Click() : cmdNext_Click();
            return true;
        default:
            return false;
    }
}

bool MainWindow::filterKey(int field, QKeyEvent* event) {
    int code = 0;
    if (event->key() == Qt::Key_Backspace)
        code = 8;
    else if (!event->text().isEmpty() && event->text().at(0).unicode() >= 32 &&
             !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        code = event->text().at(0).unicode();
    else
        return false;  // not a typed character
    const int result = DataEntryValidation(code, fields_[field].tag);
    if (result == 0) return true;
    if (result != code) {
        fields_[field].edit->insert(QString(QChar(result)));
        fields_[field].dirty = true;
        presenter_.markChanged();
        return true;
    }
    return false;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    int field = -1;
    for (int i = 0; i < FieldCount; ++i)
        if (fields_[i].edit == watched) field = i;
    int check = -1;
    for (int i = 0; i < CheckCount; ++i)
        if (checks_[i].box == watched) check = i;

    switch (event->type()) {
        case QEvent::KeyPress: {
            auto* key = static_cast<QKeyEvent*>(event);
            if (navigationKey(key)) return true;
            if (field >= 0) return filterKey(field, key);
            break;
        }
        case QEvent::FocusIn: {
            auto reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) break;
            if (field >= 0) txtFields_GotFocus(field);
            if (check >= 0) chkFields_GotFocus(check);
            break;
        }
        case QEvent::FocusOut: {
            auto reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) break;
            if (field >= 0) txtFields_LostFocus(field);
            break;
        }
        case QEvent::Enter:
        case QEvent::MouseMove:
        case QEvent::ToolTip:
            if (field == FSec179) Section179Reminder();
            break;
        default:
            break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    if (!navigationKey(event)) QMainWindow::keyPressEvent(event);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    // The status line keeps its width of 2500 twips.
    lblStatus_->setFixedWidth(static_cast<int>(twipsToPixelsX(2500, metricsOf(this))));
    fitForm();
}

// On a wide window the two boxes stand side by side and the list above them
// gets the height they leave. The scroll area never scrolls sideways: it is
// at least as wide as the form's widest box.
void MainWindow::fitForm() {
    auto* page = formScroll_->widget();
    QWidget* assetBox = page->findChild<QWidget*>("assetBox");
    QWidget* deprBox = page->findChild<QWidget*>("deprBox");
    const QMargins margins = page->layout()->contentsMargins();
    const int asset = assetBox->minimumSizeHint().width();
    const int depr = deprBox->minimumSizeHint().width();
    const int edges = margins.left() + margins.right();
    const int scrollBar = formScroll_->verticalScrollBar()->sizeHint().width();
    formScroll_->setMinimumWidth(std::max(asset, depr) + edges + scrollBar);
    const bool wide =
        formScroll_->width() >= asset + depr + formRow_->spacing() + edges + scrollBar;
    formRow_->setDirection(wide ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom);
    // Height the form does not need goes to the list above it.
    formScroll_->setMaximumHeight(page->sizeHint().height());
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!settleRecord()) {
        event->ignore();
        return;
    }
    procedure("Calcform.Form_Unload", [&] {
        if (settings_) WindowPlacement(settings_->file()).save(this);
        QApplication::restoreOverrideCursor();
        if (assets_) assets_->cancelUpdate();
        presenter_.attach(nullptr);
        assetSource_.reset();
        assets_.reset();
        companyRS_.reset();
        assetList_->close();
        if (connection_) connection_->close();
    });
    event->accept();
}

}  // namespace czx::ui
