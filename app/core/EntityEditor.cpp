#include "app/core/EntityEditor.h"

#include "app/core/EntityNames.h"
#include "app/core/FailureReasons.h"
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

bool EntityEditor::MayClose() {
    if (!modified_ || !loaded_) return true;
    switch (prompt_.Ask("Сохранение", "Сохранить изменения?")) {
    case Answer::Yes:
        return SaveLoaded();
    case Answer::No:
        return true;
    case Answer::Cancel:
        break;
    }
    return false;
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
    if (ToolReachesOtherMap(folder, *entry, kExportFailed)) return;

    // A file left by an earlier run would pass for this run's output.
    const bool exported = files_.Delete(path) && tool_.RunTool(ExportParameters(path), folder, kToolTimeout).Succeeded();
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
    // Bytes that are not the text would change the map without a word.
    const MemoText text = memo_.Text();
    if (text.unstorable) {
        RefuseSave(UnstorableReason(*text.unstorable), text.unstorable->line);
        return false;
    }
    if (ToolReachesOtherMap(loaded_->folder, loaded_->entry, kSaveFailed)) return false;
    files_.Write(path, text.bytes);
    if (const ToolRun run = tool_.RunTool(ImportParameters(path), loaded_->folder, kToolTimeout); !run.Succeeded()) {
        const std::string reason = ToolFailureReason(run, kToolTimeout);
        RefuseSave(reason, EntityLineIn(reason));
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

bool EntityEditor::ToolReachesOtherMap(const std::string& folder, const std::string& entry, std::string_view failure) {
    const std::string firstChoice = ToolsFirstMapChoice(entry);
    if (firstChoice == entry || !files_.Exists(folder + "\\" + firstChoice)) return false;
    prompt_.Tell(kErrorCaption, std::string(failure) + "\n" + "ripent.exe отнёс бы файл «" + EntityFileName(entry) +
                                    "» к карте «" + firstChoice + "», а не к «" + entry + "»; переименуйте одну из них.");
    return true;
}

void EntityEditor::RefuseSave(const std::string& reason, std::optional<int> line) {
    prompt_.Tell(kErrorCaption, std::string(kSaveFailed) + "\n" + reason);
    // After the message, so that the caret is where the user looks next.
    if (line) memo_.ShowLine(*line);
}

void EntityEditor::SelectLoaded() {
    // After the list was refilled from another folder, the loaded map may not be in it at all.
    const bool listed = loaded_ && maps_.Folder() == loaded_->folder && maps_.Entry(lastIndex_) == loaded_->entry;
    maps_.Select(listed ? lastIndex_ : -1);
}

}  // namespace lw::app
