// The headless control model: each setter raises the control's notification on a real change.
#include "randomizer/Controls.h"

#include "pgraphic/PixelGraphic.h"
#include "platform/FileSystem.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace zephrix {
namespace {

void Raise(const TNotifyEvent& event) {
    if (event) event();
}

bool SameText(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// Whether `name` matches a "*.ext" mask, ignoring case as the Windows file list does.
bool MatchesMask(const std::string& name, const std::string& mask) {
    const std::string ext = mask.substr(1);
    return name.size() >= ext.size() && SameText(name.substr(name.size() - ext.size()), ext);
}

} // namespace

void TButton::Click() {
    Raise(OnClick);
}

void TCheckBox::SetChecked(bool value) {
    if (value == FChecked) return;
    FChecked = value;
    Raise(OnClick);
}

void TRadioGroup::SetItemIndex(int value) {
    value = std::clamp(value, -1, int(Items.size()) - 1);
    if (value == FItemIndex) return;
    FItemIndex = value;
    Raise(OnClick);
}

void TColorButton::SetColor(TColor value) {
    if (value == FColor) return;
    FColor = value;
    Raise(OnChange);
}

void TSpinEdit::SetValue(int value) {
    value = std::clamp(value, MinValue, MaxValue);
    if (value == FValue) return;
    FValue = value;
    Raise(OnChange);
}

void TEdit::SetText(std::string value) {
    if (value == FText) return;
    FText = std::move(value);
    Raise(OnChange);
}

void TFontList::SetItems(std::vector<std::string> items) {
    FItems = std::move(items);
    FItemIndex = -1;
}

void TFontList::SetItemIndex(int value) {
    value = std::clamp(value, -1, int(FItems.size()) - 1);
    if (value == FItemIndex) return;
    FItemIndex = value;
    Raise(OnChange);
}

std::string TFontList::SelectedName() const {
    return FItemIndex < 0 ? std::string() : FItems[std::size_t(FItemIndex)];
}

void TFontList::SelectByName(const std::string& name) {
    const auto it = std::find_if(FItems.begin(), FItems.end(),
                                 [&](const std::string& item) { return SameText(item, name); });
    SetItemIndex(it == FItems.end() ? (FItems.empty() ? -1 : 0) : int(it - FItems.begin()));
}

void TFileList::SetDirectory(const std::string& folder) {
    namespace fs = std::filesystem;
    FDirectory = folder;
    FItems.clear();
    FItemIndex = -1;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (it->is_regular_file(error) && MatchesMask(name, Mask)) FItems.push_back(name);
    }
    std::sort(FItems.begin(), FItems.end(), [](const std::string& a, const std::string& b) {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
            return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
        });
    });
    platform::SetCurrentDirectory(folder);
}

void TFileList::SetFileName(const std::string& path) {
    namespace fs = std::filesystem;
    const fs::path file = fs::absolute(path);
    SetDirectory(file.parent_path().string());
    const auto it = std::find(FItems.begin(), FItems.end(), file.filename().string());
    FItemIndex = it == FItems.end() ? -1 : int(it - FItems.begin());
}

std::string TFileList::FileName() const {
    if (FItemIndex < 0) return {};
    return (std::filesystem::path(FDirectory) / FItems[std::size_t(FItemIndex)]).string();
}

void TFileList::ClickItem(int index) {
    if (index < 0 || index >= int(FItems.size())) return;
    FItemIndex = index;
    Raise(OnClick);
}

void TFileList::MouseUp(TMouseButton button) {
    if (OnMouseUp) OnMouseUp(button);
}

TImageView::TImageView(std::string name) : TControl(std::move(name)) {}
TImageView::~TImageView() = default;

void TImageView::SetPixelGraphic(const pg::TPixelGraphic& image) {
    if (!FPicture) FPicture = std::make_unique<pg::TPixelGraphic>();
    FPicture->Assign(&image);
    Raise(OnPictureChange);
}

void TPageControl::SelectPage(const std::string& page) {
    if (page == FActivePage) return;
    FActivePage = page;
    Raise(OnChange);
}

} // namespace zephrix
