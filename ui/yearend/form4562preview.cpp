#include "ui/yearend/form4562preview.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFontMetricsF>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "base/money.h"
#include "base/trail.h"
#include "ui/shell/guifeedback.h"

namespace czx::ui {
namespace {

// An amount as typed: digits with an optional point and thousands
// separators, at least zero.
std::optional<double> typedAmount(const QString& typed) {
    auto amount = money::parse(typed.toStdString());
    if (!amount || *amount < 0) return std::nullopt;
    return amount;
}

// A label whose text, without its accelerator mark, names its field.
QLabel* buddyLabel(const QString& text, QWidget* field) {
    auto* label = new QLabel(text);
    label->setBuddy(field);
    field->setAccessibleName(QString(text).remove('&').remove(':'));
    return label;
}

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

using Kind = WorksheetRow::Kind;

// Everything is laid out in points (1/72 inch) and scaled to the device.
constexpr double kNumberWidth = 30;   // the line number
constexpr double kAmountWidth = 100;  // the line's figure, at the right
constexpr double kItemIndent = 30;
constexpr double kLineGap = PageGrid::lineGap;

// The worksheet's measures, and the layout and painting that share them, so
// that what the layout promises is what the page shows.
class Pager {
  public:
    Pager(const Form4562& form, const PageGrid& grid) : form_(form), grid_(grid), part_(grid.bold) {
        part_.setPixelSize(10);
    }

    std::vector<WorksheetPage> layout() const {
        std::vector<WorksheetPage> pages(1);
        double y = headerHeight();
        const double bottom = grid_.height - grid_.line * 2;  // the page number below
        auto place = [&](Kind kind, int part, int line, int index, double height) {
            pages.back().push_back({kind, part, line, index, y});
            y += height;
        };
        // A new page unless `height` fits below what the page holds.
        auto keep = [&](double height) {
            if (y + height <= bottom || pages.back().empty()) return;
            pages.emplace_back();
            y = 0;
        };
        for (int p = 0; p < static_cast<int>(form_.parts.size()); ++p) {
            const auto& lines = form_.parts[p].lines;
            keep(partHeight() + (lines.empty() ? 0 : lineBlock(lines.front())));
            place(Kind::PartTitle, p, -1, -1, partHeight());
            for (int l = 0; l < static_cast<int>(lines.size()); ++l) {
                const Form4562Line& line = lines[l];
                keep(lineBlock(line));
                place(Kind::Line, p, l, -1, lineHeight(line));
                if (!listsItems(line)) continue;
                place(Kind::Captions, p, l, -1, captionHeight(line.kind));
                const int items = static_cast<int>(line.items.size());
                for (int i = 0; i < items; ++i) {
                    // A line's total goes over with its last asset.
                    const double height =
                        grid_.line + (i + 1 == items && hasTotal(line) ? totalHeight() : 0);
                    if (y + height > bottom) {
                        pages.emplace_back();
                        y = 0;
                        place(Kind::Captions, p, l, -1, captionHeight(line.kind));
                    }
                    place(Kind::Item, p, l, i, grid_.line);
                }
                if (hasTotal(line)) place(Kind::Total, p, l, -1, totalHeight());
                y += grid_.line * 0.5;
            }
        }
        for (int n = 0; n < static_cast<int>(form_.notes.size()); ++n) {
            const double height = noteHeight(n);
            if (n == 0) {
                keep(partHeight() + height);
                place(Kind::NotesTitle, -1, -1, -1, partHeight());
            } else {
                keep(height);
            }
            place(Kind::Note, -1, -1, n, height);
        }
        return pages;
    }

    void paint(QPainter& painter, const WorksheetPage& page, bool first) {
        painter_ = &painter;
        if (first) header();
        for (const WorksheetRow& row : page) paintRow(row);
    }

  private:
    static bool listsItems(const Form4562Line& line) {
        return line.kind != ItemKind::None && !line.items.empty();
    }
    static bool hasTotal(const Form4562Line& line) { return line.kind == ItemKind::Class; }

    double headerHeight() const { return grid_.titleHeight + grid_.line * 2; }
    double partHeight() const { return QFontMetricsF(part_).height() + 8; }
    double textWidth() const { return grid_.width - kNumberWidth - kAmountWidth; }
    double lineHeight(const Form4562Line& line) const {
        return QFontMetricsF(grid_.body)
                   .boundingRect(QRectF(0, 0, textWidth(), 1000), Qt::TextWordWrap, text(line.text))
                   .height() +
               kLineGap;
    }
    // A line, and when it lists assets its captions and first asset: what
    // must stand together at the foot of a page.
    double lineBlock(const Form4562Line& line) const {
        double height = lineHeight(line);
        if (listsItems(line))
            height += captionHeight(line.kind) + grid_.line +
                      (line.items.size() == 1 && hasTotal(line) ? totalHeight() : 0);
        return height;
    }
    double totalHeight() const { return grid_.line + 2; }
    double noteHeight(int n) const {
        return QFontMetricsF(grid_.body)
                   .boundingRect(QRectF(0, 0, grid_.width, 1000), Qt::TextWordWrap,
                                 text(form_.notes[n]))
                   .height() +
               kLineGap;
    }

    // The item columns of `kind`, in points: the text widths scaled to the page.
    std::vector<double> columns(ItemKind kind) const {
        std::vector<double> widths;
        double total = 0;
        for (int w : itemWidths(kind)) total += w;
        for (int w : itemWidths(kind)) widths.push_back(w * (grid_.width - kItemIndent) / total);
        return widths;
    }
    double captionHeight(ItemKind kind) const {
        const std::vector<double> widths = columns(kind);
        const std::vector<std::string> captions = itemCaptions(kind);
        double height = 0;
        for (size_t i = 0; i < captions.size(); ++i)
            height = std::max(height, QFontMetricsF(grid_.bold)
                                          .boundingRect(QRectF(0, 0, widths[i] - 4, 1000),
                                                        Qt::TextWordWrap, text(captions[i]))
                                          .height());
        return height + 4;
    }

    void header() {
        painter_->setFont(grid_.title);
        const double h = grid_.titleHeight;
        painter_->drawText(QRectF(0, 0, grid_.width, h), Qt::AlignHCenter | Qt::AlignVCenter,
                           "Form 4562 Worksheet: Depreciation and Amortization");
        painter_->setFont(grid_.body);
        painter_->drawText(QRectF(0, h, grid_.width, grid_.line), Qt::AlignHCenter,
                           text(form_.title));
    }

    // Cells across the item columns; the first left, the others right.
    void cells(ItemKind kind, double top, double height, const std::vector<QString>& values,
               const QFont& font, int flags) {
        painter_->setFont(font);
        QFontMetricsF metrics(font);
        const std::vector<double> widths = columns(kind);
        double x = kItemIndent;
        for (size_t i = 0; i < values.size() && i < widths.size(); ++i) {
            const QRectF r(x + 2, top, widths[i] - 4, height);
            const int align = flags | (i == 0 ? Qt::AlignLeft : Qt::AlignRight);
            painter_->drawText(r, align,
                               flags & Qt::TextWordWrap
                                   ? values[i]
                                   : metrics.elidedText(values[i], Qt::ElideRight, r.width()));
            x += widths[i];
        }
    }

    static std::vector<QString> qstrings(const std::vector<std::string>& values) {
        std::vector<QString> result;
        for (const auto& v : values) result.push_back(text(v));
        return result;
    }

    void paintRow(const WorksheetRow& row) {
        const double y = row.top;
        if (row.kind == Kind::PartTitle || row.kind == Kind::NotesTitle) {
            painter_->setFont(part_);
            const QString title =
                row.kind == Kind::NotesTitle ? QString("Notes") : text(form_.parts[row.part].title);
            painter_->drawText(QRectF(0, y + 4, grid_.width, partHeight() - 4),
                               Qt::AlignLeft | Qt::AlignVCenter, title);
            painter_->setPen(QPen(Qt::black, 0.8));
            painter_->drawLine(QPointF(0, y + partHeight()),
                               QPointF(grid_.width, y + partHeight()));
            return;
        }
        if (row.kind == Kind::Note) {
            painter_->setFont(grid_.body);
            painter_->drawText(QRectF(0, y, grid_.width, noteHeight(row.index)), Qt::TextWordWrap,
                               text(form_.notes[row.index]));
            return;
        }
        const Form4562Line& line = form_.parts[row.part].lines[row.line];
        switch (row.kind) {
            case Kind::Line: {
                const double h = lineHeight(line);
                painter_->setFont(grid_.bold);
                painter_->drawText(QRectF(0, y, kNumberWidth - 4, h), Qt::AlignRight | Qt::AlignTop,
                                   text(line.number));
                painter_->setFont(grid_.body);
                painter_->drawText(QRectF(kNumberWidth, y, textWidth(), h), Qt::TextWordWrap,
                                   text(line.text));
                painter_->drawText(
                    QRectF(grid_.width - kAmountWidth, y, kAmountWidth, h - kLineGap),
                    Qt::AlignRight | Qt::AlignBottom, amountText(line.amount));
                break;
            }
            case Kind::Captions:
                cells(line.kind, y, captionHeight(line.kind) - 4, qstrings(itemCaptions(line.kind)),
                      grid_.bold, Qt::AlignBottom | Qt::TextWordWrap);
                painter_->setPen(QPen(Qt::black, 0.5));
                painter_->drawLine(QPointF(kItemIndent, y + captionHeight(line.kind) - 2),
                                   QPointF(grid_.width, y + captionHeight(line.kind) - 2));
                break;
            case Kind::Item:
                cells(line.kind, y, grid_.line,
                      qstrings(itemCells(line.kind, line.items[row.index])), grid_.body,
                      Qt::AlignVCenter);
                break;
            case Kind::Total: {
                painter_->setPen(QPen(Qt::black, 0.5));
                painter_->drawLine(QPointF(kItemIndent, y + 1), QPointF(grid_.width, y + 1));
                std::vector<QString> values(itemCaptions(line.kind).size());
                values.front() = "Total";
                values[2] = amountText(line.basis);
                values.back() = amountText(line.amount);
                cells(line.kind, y + 2, grid_.line, values, grid_.bold, Qt::AlignVCenter);
                break;
            }
            default:
                break;
        }
    }

    const Form4562& form_;
    const PageGrid grid_;
    QFont part_;
    QPainter* painter_ = nullptr;
};

}  // namespace

Form4562OptionsDialog::Form4562OptionsDialog(QWidget* parent)
    : QDialog(parent),
      carryoverEdit_(new QLineEdit("0.00")),
      notLimitedCheck_(new QCheckBox("&Not limited")),
      incomeEdit_(new QLineEdit),
      buttons_(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel)) {
    setObjectName("Form4562Options");
    setWindowTitle("Form 4562 Worksheet");
    carryoverEdit_->setObjectName("carryoverEdit");
    notLimitedCheck_->setObjectName("notLimitedCheck");
    notLimitedCheck_->setAccessibleName("Not limited");
    notLimitedCheck_->setChecked(true);
    incomeEdit_->setObjectName("incomeLimitEdit");
    incomeEdit_->setEnabled(false);

    auto* form = new QFormLayout;
    form->addRow(buddyLabel("&Carryover from last year (line 10):", carryoverEdit_),
                 carryoverEdit_);
    form->addRow(QString(), notLimitedCheck_);
    form->addRow(buddyLabel("&Business income limitation (line 11):", incomeEdit_), incomeEdit_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons_);
    QPushButton* ok = buttons_->button(QDialogButtonBox::Ok);
    ok->setDefault(true);
    ok->setAccessibleName("OK");
    buttons_->button(QDialogButtonBox::Cancel)->setAccessibleName("Cancel");
    setTabOrder(carryoverEdit_, notLimitedCheck_);
    setTabOrder(notLimitedCheck_, incomeEdit_);
    setTabOrder(incomeEdit_, ok);
    setTabOrder(ok, buttons_->button(QDialogButtonBox::Cancel));

    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(carryoverEdit_, &QLineEdit::textChanged, this, [this] { check(); });
    connect(incomeEdit_, &QLineEdit::textChanged, this, [this] { check(); });
    connect(notLimitedCheck_, &QCheckBox::toggled, this, [this](bool notLimited) {
        incomeEdit_->setEnabled(!notLimited);
        if (!notLimited) incomeEdit_->setFocus();
        check();
    });
    carryoverEdit_->selectAll();
    check();
}

std::optional<Form4562Options> Form4562OptionsDialog::options() const {
    Form4562Options options;
    auto carryover = typedAmount(carryoverEdit_->text());
    if (!carryover) return std::nullopt;
    options.carryover = *carryover;
    if (!notLimitedCheck_->isChecked()) {
        options.incomeLimit = typedAmount(incomeEdit_->text());
        if (!options.incomeLimit) return std::nullopt;
    }
    return options;
}

void Form4562OptionsDialog::check() {
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(options().has_value());
}

std::vector<WorksheetPage> layoutForm4562(const Form4562& form, const QSizeF& page) {
    return Pager(form, PageGrid(page)).layout();
}

int paintForm4562(const Form4562& form, QPagedPaintDevice& device) {
    const PageGrid grid(device);
    Pager pager(form, grid);
    const std::vector<WorksheetPage> pages = pager.layout();
    return paintPages(device, grid, static_cast<int>(pages.size()),
                      [&](QPainter& painter, int p) { pager.paint(painter, pages[p], p == 0); });
}

bool writeForm4562Pdf(const Form4562& form, const QString& file) {
    return writePdf(file, "Form 4562 Worksheet",
                    [&](QPagedPaintDevice& device) { return paintForm4562(form, device); });
}

// The paint function reads form_ only when the preview paints, after the
// constructor has filled it.
Form4562Preview::Form4562Preview(Form4562 form, std::unique_ptr<QPrinter> printer, QWidget* parent)
    : PrintPreview(
          {.objectName = "Form4562Preview",
           .title = "Form 4562 Worksheet",
           .pdfFile = "Form 4562 Worksheet.pdf",
           .noun = "worksheet",
           .exportProcedure = "Form4562.ExportPdf"},
          [this](QPagedPaintDevice& device) { return paintForm4562(form_, device); },
          std::move(printer), parent),
      form_(std::move(form)) {}

void showForm4562(QWidget* parent, Connection& connection) {
    procedure("Calcform.mnuForm4562_Click", [&] {
        Form4562OptionsDialog dialog(parent);
        if (dialog.exec() != QDialog::Accepted || !dialog.options()) return;
        Form4562 form;
        try {
            form = buildForm4562(connection, *dialog.options());
        } catch (const Refusal& e) {
            showMessage(parent, QString::fromStdString(e.what()));
            return;
        }
        (new Form4562Preview(std::move(form), reportPrinter(), parent))->showAlone();
    });
}

}  // namespace czx::ui
