#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>

#include "base/dates.h"
#include "base/trail.h"
#include "ui/entry/assetlist.h"
#include "ui/entry/mainwindow.h"
#include "ui/shell/displaysizing.h"

// The asset screen's widgets: the fields in their boxes, the buttons, the
// record bar, and the fit of the form to the window's width.
namespace czx::ui {
namespace {

const QString kDatesNote = "    Asset will not save without these dates";

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

}  // namespace

void MainWindow::buildFields() {
    fields_ = entryFields();
    checks_ = entryChecks();
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
    companyNameEdit_ = new QLineEdit(this);
    companyNameEdit_->setObjectName("txtName");
    companyNameEdit_->setReadOnly(true);
    companyNameEdit_->setAccessibleName("Company Name");
    companyNameEdit_->setStyleSheet("font-weight: bold;");
    yearEndEdit_ = new QLineEdit(this);
    yearEndEdit_->setObjectName("txtYearEnd");
    yearEndEdit_->setReadOnly(true);
    yearEndEdit_->setAccessibleName("Year End");
    companyNumberEdit_ = new QLineEdit(this);
    companyNumberEdit_->setObjectName("Text3");
    companyNumberEdit_->hide();
    recordNumberEdit_ = new QLineEdit(this);
    recordNumberEdit_->setObjectName("Text4");
    recordNumberEdit_->setAccessibleName("Record Number");
    recordNumberEdit_->setFixedWidth(widthFor(recordNumberEdit_, "0000000"));
    recordNumberEdit_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    moveToRecordButton_ = makeButton("Move To Record Number", "cmdMoveAbs", "");
    connect(moveToRecordButton_, &QPushButton::clicked, this, [this] { moveToRecordNumber(); });
    workingLabel_ = new QLabel("Working. Please Wait.", this);
    workingLabel_->setObjectName("Label19");
    workingLabel_->setStyleSheet("color: #b00000; font-weight: bold;");
    workingLabel_->hide();

    auto* header = new QHBoxLayout;
    auto* nameLabel = new QLabel("Company", this);
    nameLabel->setBuddy(companyNameEdit_);
    auto* yearLabel = new QLabel("Year End", this);
    yearLabel->setBuddy(yearEndEdit_);
    header->addWidget(nameLabel);
    header->addWidget(companyNameEdit_, 1);
    header->addSpacing(8);
    header->addWidget(yearLabel);
    header->addWidget(yearEndEdit_);
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
    truckFlagButton_ = makeToolButton("Set", "Command26", "Set Truck or Van", truckVanTip());
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
    yearEndEdit_->setFixedWidth(dateWidth);
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
    datesNoteLabel_ = new QLabel(kDatesNote, this);
    datesNoteLabel_->setObjectName("lblDatesNote");
    datesNoteLabel_->setStyleSheet("color: #404040; font-style: italic;");
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
    useMissingLabel_ = warningLabel("lblUseMissing", QString(), this);
    yrpisAdviceLabel_ = warningLabel("lblYrpisAdvice", QString(), this);
    // Below the list and the form, whatever the window's height: the
    // warnings, the buttons and the record bar.
    auto* commands = new QVBoxLayout;
    commands->setContentsMargins(6, 2, 6, 4);
    commands->setSpacing(4);
    auto* warnings = new QVBoxLayout;
    warnings->setSpacing(0);
    for (QLabel* l : {datesNoteLabel_, useOver100Label_, useSlppLabel_, noSection179Label_,
                      methodMissingLabel_, lifeMissingLabel_, useMissingLabel_, yrpisAdviceLabel_})
        warnings->addWidget(l);
    commands->addLayout(warnings);

    // Buttons.
    addButton_ = makeButton("&Add Asset", "cmdAdd", "Click on this to add a new asset.");
    editButton_ =
        makeButton("&Edit Asset", "cmdEdit",
                   "If you are not adding an asset, but simply want to change the data of "
                   "the current asset, click on this command \"before\" editing.");
    saveButton_ = makeButton("&Save Asset", "cmdUpdate",
                             "Click here to save the changes and additions when you are finished.");
    cancelButton_ = makeButton("&Cancel", "cmdCancel", "");
    // Each letter once in the window: Alt+D is Depreciate's and Alt+R the
    // Reports menu's. Every letter of Refresh is taken: it is F5, as on
    // every desktop.
    deleteButton_ = makeButton("Dele&te Asset", "cmdDelete", "");
    refreshButton_ = makeButton("Refresh", "cmdRefresh", "Read the assets again (F5).");
    refreshButton_->setShortcut(QKeySequence(Qt::Key_F5));
    closeButton_ = makeButton("&Close", "cmdClose", "");
    saveCompanyButton_ =
        makeToolButton("Save Company", "Picture1", "Save Company", "Save company to disk");
    connect(addButton_, &QPushButton::clicked, this, [this] { addAsset(); });
    connect(editButton_, &QPushButton::clicked, this, [this] { editAsset(); });
    connect(saveButton_, &QPushButton::clicked, this, [this] { saveAsset(); });
    connect(cancelButton_, &QPushButton::clicked, this, [this] { cancelChanges(); });
    connect(deleteButton_, &QPushButton::clicked, this, [this] { deleteAsset(); });
    connect(refreshButton_, &QPushButton::clicked, this, [this] { refreshAssets(); });
    connect(closeButton_, &QPushButton::clicked, this, [this] { closeScreen(); });
    connect(saveCompanyButton_, &QToolButton::clicked, this, [this] { saveCompany(); });
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b :
         {addButton_, editButton_, saveButton_, cancelButton_, deleteButton_, refreshButton_})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(saveCompanyButton_);
    buttons->addWidget(closeButton_);
    commands->addLayout(buttons);

    // Status line, record moves and the run's progress bar.
    statusLabel_ = new QLabel(this);
    statusLabel_->setObjectName("lblStatus");
    statusLabel_->setFrameShape(QFrame::StyledPanel);
    statusLabel_->setFrameShadow(QFrame::Sunken);
    firstButton_ = makeToolButton("|<", "cmdFirst", "First", "First");
    previousButton_ = makeToolButton("<", "cmdPrevious", "Previous", "Previous");
    nextButton_ = makeToolButton(">", "cmdNext", "Next", "Next");
    lastButton_ = makeToolButton(">|", "cmdLast", "Last", "Last");
    for (QToolButton* b : {firstButton_, previousButton_, nextButton_, lastButton_})
        b->setMinimumWidth(30);
    connect(firstButton_, &QToolButton::clicked, this, [this] { moveFirst(); });
    connect(previousButton_, &QToolButton::clicked, this, [this] { movePrevious(); });
    connect(nextButton_, &QToolButton::clicked, this, [this] { moveNext(); });
    connect(lastButton_, &QToolButton::clicked, this, [this] { moveLast(); });
    progressBar_ = new QProgressBar(this);
    progressBar_->setObjectName("ProgressBar1");
    progressBar_->setAccessibleName("Progress");
    progressBar_->setRange(0, 100);
    progressBar_->hide();
    auto* statusRow = new QHBoxLayout;
    statusRow->addWidget(firstButton_);
    statusRow->addWidget(previousButton_);
    statusRow->addWidget(statusLabel_);
    statusRow->addWidget(nextButton_);
    statusRow->addWidget(lastButton_);
    statusRow->addSpacing(8);
    statusRow->addWidget(recordNumberEdit_);
    statusRow->addWidget(moveToRecordButton_);
    statusRow->addSpacing(8);
    statusRow->addWidget(progressBar_, 1);
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
    connect(bonusButton_, &QToolButton::clicked, this, [this] { calculateBonus(); });

    // Tab order: the fields in the form's order, then the check boxes.
    QWidget* previous = nullptr;
    auto chain = [&](QWidget* w) {
        if (previous) setTabOrder(previous, w);
        previous = w;
    };
    for (auto& f : fields_) chain(f.edit);
    for (auto& c : checks_) chain(c.box);
    for (QWidget* w : {static_cast<QWidget*>(addButton_), static_cast<QWidget*>(editButton_),
                       static_cast<QWidget*>(saveButton_), static_cast<QWidget*>(cancelButton_),
                       static_cast<QWidget*>(deleteButton_), static_cast<QWidget*>(refreshButton_),
                       static_cast<QWidget*>(closeButton_)})
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
            [this](qint64 key) { showChosenAsset(key); });
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
    setButtons(true);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    // The status line keeps its width of 2500 twips.
    statusLabel_->setFixedWidth(static_cast<int>(twipsToPixelsX(2500, metricsOf(this))));
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

}  // namespace czx::ui
