#include "app/core/EntityEditor.h"

#include "app/core/EntityNames.h"
#include "app/core/LineBreaks.h"

namespace lw::app {
namespace {

constexpr std::string_view kErrorCaption = "Ошибка";
constexpr std::string_view kExportFailed = "Не удалось извлечь информацию entity!";
constexpr std::string_view kSaveFailed = "Не удалось сохранить изменения!";

}  // namespace

EntityEditor::EntityEditor(Memo& memo, MapList& maps, Launcher& tool, FileSystem& files, Prompt& prompt)
    : memo_(memo), maps_(maps), tool_(tool), files_(files), prompt_(prompt) {}

std::optional<std::string> EntityEditor::LoadedEntityPath() const {
    if (!loaded_) return std::nullopt;
    return loaded_->entityPath;
}

void EntityEditor::MemoChanged() {
    modified_ = true;
}

void EntityEditor::MapsClick(int index) {
    if (index < 0) return;
    // Text that came from no map cannot be saved anywhere, so there is nothing to ask about.
    if (modified_ && loaded_) {
        switch (prompt_.Ask("Сохранение", "Сохранить изменения?")) {
        case Answer::Yes: {
            bool saved = false;
            try {
                saved = SaveLoaded();
            } catch (...) {
                SelectLoaded();
                throw;
            }
            if (!saved) {
                SelectLoaded();
                return;
            }
            break;
        }
        case Answer::No:
            break;
        case Answer::Cancel:
            SelectLoaded();
            return;
        }
    }
    Export(index);
}

void EntityEditor::Save() {
    SaveLoaded();
}

void EntityEditor::Revert() {
    if (!loaded_) return;
    // Read before touching the memo: a file that cannot be read must not cost the text shown.
    const std::string text = WithCrLfLineBreaks(files_.Read(loaded_->entityPath));
    memo_.SetText(text);
}

void EntityEditor::Export(int index) {
    const std::optional<std::string> entry = maps_.Entry(index);
    if (!entry) return;
    const std::string folder = maps_.Folder();
    const std::string path = EntityFilePath(folder, *entry);

    // A file left by an earlier run would pass for this run's output.
    const bool exported = files_.Delete(path) && tool_.RunTool(ExportParameters(path), folder, kToolTimeout) == 0;
    if (!exported || !files_.Exists(path)) {
        prompt_.Tell(kErrorCaption, kExportFailed);
        return;
    }
    const std::string text = WithCrLfLineBreaks(files_.Read(path));
    memo_.SetText(text);
    modified_ = false;
    lastIndex_ = index;
    loaded_ = LoadedMap{folder, *entry, path};
}

bool EntityEditor::SaveLoaded() {
    if (!loaded_) return false;
    const std::string path = loaded_->entityPath;
    files_.Write(path, memo_.Text());
    if (tool_.RunTool(ImportParameters(path), loaded_->folder, kToolTimeout) != 0) {
        prompt_.Tell(kErrorCaption, kSaveFailed);
        return false;
    }
    // The text is in the map now; an emptied memo belongs to no map and must never be saved.
    loaded_.reset();
    memo_.SetText({});
    modified_ = false;
    prompt_.Tell("Успех", "Изменения сохранены!");
    files_.Delete(path);
    return true;
}

void EntityEditor::SelectLoaded() {
    // After the list was refilled from another folder, the loaded map may not be in it at all.
    const bool listed = loaded_ && maps_.Folder() == loaded_->folder && maps_.Entry(lastIndex_) == loaded_->entry;
    maps_.Select(listed ? lastIndex_ : -1);
}

}  // namespace lw::app
