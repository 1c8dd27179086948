#include "engine/run/findings.h"

#include <cstring>

#include "base/money.h"

namespace czx {

std::string assetLabel(std::string_view description, const std::optional<Date>& placedInService) {
    std::string label =
        description.empty() ? std::string("(no description)") : std::string(description);
    label += placedInService ? ", placed in service " + paddedDate(*placedInService)
                             : std::string(", no date placed in service");
    return label;
}

std::string assetLabel(const Asset& asset) {
    return assetLabel(asset.description, asset.placedInService);
}

void AssetList::add(const Asset& asset, std::string_view detail) {
    if (static_cast<long>(shown_.size()) >= kShown) {
        ++count_;
        return;
    }
    std::string label = assetLabel(asset);
    if (!detail.empty()) label += ": " + std::string(detail);
    add(std::move(label));
}

void AssetList::add(std::string label) {
    ++count_;
    if (static_cast<long>(shown_.size()) < kShown) shown_.push_back(std::move(label));
}

std::string AssetList::lines(std::string_view eol) const {
    std::string text;
    for (const std::string& label : shown_) {
        text += "  ";
        text += label;
        text += eol;
    }
    if (count_ > static_cast<long>(shown_.size())) {
        text +=
            "  and " + money::withThousands(count_ - static_cast<long>(shown_.size())) + " more";
        text += eol;
    }
    return text;
}

std::string warningWithAssets(std::string_view warning, const AssetList& assets) {
    std::string text(warning);
    if (assets.empty()) return text;
    text += "\n";
    text += assets.count() == 1 ? "Asset:\n"
                                : "Assets (" + money::withThousands(assets.count()) + "):\n";
    text += assets.lines("\n");
    if (!text.empty() && text.back() == '\n') text.pop_back();
    return text;
}

RowReports::RowReports() : previous_(trail::setCollector(this)) {}

RowReports::~RowReports() {
    if (collecting_) trail::setCollector(previous_);
}

RowReports::Kind& RowReports::kindOf(const TrailSlots& slots, std::string_view description,
                                     int number) {
    for (Kind& kind : kinds_)
        if (kind.number == number && kind.description == description &&
            std::strcmp(kind.slots.current, slots.current) == 0)
            return kind;
    Kind& kind = kinds_.emplace_back();
    kind.slots = slots;
    kind.description = description;
    kind.number = number;
    return kind;
}

void RowReports::collect(const TrailSlots& slots, std::string_view description, int number) {
    ++count_;
    Kind& kind = kindOf(slots, description, number);
    if (row_)
        kind.assets.add(*row_);
    else
        ++kind.withoutRow;
}

void RowReports::add(std::string_view description, int number, std::string_view detail) {
    ++count_;
    Kind& kind = kindOf(trail::currentSlots(), description, number);
    if (row_)
        kind.assets.add(*row_, detail);
    else
        ++kind.withoutRow;
}

void RowReports::deliver() {
    if (collecting_) trail::setCollector(previous_);
    collecting_ = false;
    const std::string crlf = "\r\n";
    for (const Kind& kind : kinds_) {
        std::string details;
        if (!kind.assets.empty()) {
            details = kind.assets.count() == 1
                          ? "Asset:" + crlf
                          : "Assets (" + money::withThousands(kind.assets.count()) + "):" + crlf;
            details += kind.assets.lines(crlf);
        }
        if (kind.withoutRow > 1)
            details +=
                "This error occurred " + money::withThousands(kind.withoutRow) + " times." + crlf;
        trail::deliver(
            trail::reportText(AppIdentity{}, kind.slots, kind.description, kind.number, details));
    }
    kinds_.clear();
}

}  // namespace czx
