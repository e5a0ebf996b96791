#include "app/core/EntityEditor.h"

#include "app/core/EntityNames.h"
#include "app/core/FailureReasons.h"
#include "app/core/LineBreaks.h"

namespace lw::app {
namespace {

constexpr std::string_view kErrorCaption = "Ошибка";
constexpr std::string_view kSaveCaption = "Сохранение";
constexpr std::string_view kExportFailed = "Не удалось извлечь информацию entity!";
constexpr std::string_view kSaveFailed = "Не удалось сохранить изменения!";
constexpr std::string_view kMapChanged =
    "Карта изменилась на диске после загрузки текста. Записать ваш текст в новую карту?";

// Marks an operation in progress for as long as it lasts.
class BusyScope {
public:
    explicit BusyScope(bool& busy) : busy_(busy), was_(busy) { busy_ = true; }
    ~BusyScope() { busy_ = was_; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    bool& busy_;
    bool was_;
};

}  // namespace

EntityEditor::EntityEditor(Memo& memo, MapList& maps, Launcher& tool, FileSystem& files, Prompt& prompt)
    : memo_(memo), maps_(maps), tool_(tool), files_(files), prompt_(prompt) {}

std::optional<std::string> EntityEditor::LoadedEntityPath() const {
    if (!loaded_) return std::nullopt;
    return loaded_->entityPath;
}

void EntityEditor::MemoChanged() { modified_ = true; }

bool EntityEditor::MayClose() {
    const BusyScope busy(busy_);
    if (!modified_ || !loaded_) return true;
    switch (prompt_.Ask(kSaveCaption, "Сохранить изменения?")) {
    case Answer::Yes:
        return SaveLoaded() != SaveOutcome::Kept;
    case Answer::No:
        return true;
    case Answer::Cancel:
        break;
    }
    return false;
}

void EntityEditor::MapsClick(int index) {
    if (index < 0 || Showing(index)) return;
    const BusyScope busy(busy_);
    if (!LeaveLoaded()) return SelectLoaded();
    Export(index);
}

bool EntityEditor::MayLeave() {
    const BusyScope busy(busy_);
    return LeaveLoaded();
}

bool EntityEditor::LeaveLoaded() {
    // Text that came from no map cannot be saved anywhere, so there is nothing to ask about.
    if (!modified_ || !loaded_) return true;
    switch (prompt_.Ask(kSaveCaption, "Сохранить изменения?")) {
    case Answer::Yes:
        try {
            return SaveLoaded() != SaveOutcome::Kept;
        } catch (...) {
            SelectLoaded();
            throw;
        }
    case Answer::No:
        // Given up now, so that no later failure can bring the refused text back.
        Discard();
        return true;
    case Answer::Cancel:
        break;
    }
    return false;
}

void EntityEditor::Save() {
    const BusyScope busy(busy_);
    if (!loaded_) return;
    const LoadedMap map = *loaded_;
    const int index = lastIndex_;
    // The user gave up the edits for the map as it is now: show that.
    if (SaveLoaded() == SaveOutcome::Discarded && !Load(map.folder, map.entry, index)) AfterFailedExport();
}

void EntityEditor::Revert() {
    const BusyScope busy(busy_);
    if (!loaded_) return;
    // Read before touching the memo: a file that cannot be read must not cost the text shown.
    const std::string text = WithCrLfLineBreaks(files_.Read(loaded_->entityPath));
    memo_.SetText(text);
}

void EntityEditor::Activated() {
    if (busy_ || !loaded_ || modified_ || !loaded_->identity) return;
    const BusyScope busy(busy_);
    const std::optional<FileStamp> stamp = files_.Stamp(loaded_->MapPath());
    // A map that is gone keeps its text on screen: there is nothing newer to show.
    if (!stamp || *stamp == loaded_->identity->stamp || stamp == failedReload_) return;
    const LoadedMap map = *loaded_;
    if (Load(map.folder, map.entry, lastIndex_)) return;
    failedReload_ = stamp;
    AfterFailedExport();
}

bool EntityEditor::Load(const std::string& folder, const std::string& entry, int index) {
    const std::string path = EntityFilePath(folder, entry);
    if (ToolReachesOtherMap(folder, entry, kExportFailed)) return false;
    // A file left by an earlier run would pass for this run's output.
    if (!files_.Delete(path)) {
        TellExportFailed("Не удалось удалить старый файл «" + EntityFileName(entry) + "».");
        return false;
    }
    const ToolRun run = tool_.RunTool(ExportParameters(path), folder, kToolTimeout);
    if (!run.Succeeded()) {
        TellExportFailed(ToolFailureReason(run, kToolTimeout));
        return false;
    }
    if (!files_.Exists(path)) {
        TellExportFailed("ripent.exe не создал файл «" + EntityFileName(entry) + "».");
        return false;
    }
    const std::string text = WithCrLfLineBreaks(files_.Read(path));
    memo_.SetText(text);
    modified_ = false;
    lastIndex_ = index;
    loaded_ = LoadedMap{folder, entry, path, MapIdentityIn(run.output)};
    failedReload_.reset();
    return true;
}

void EntityEditor::Export(int index) {
    const std::optional<std::string> entry = maps_.Entry(index);
    if (!entry) return;
    bool loaded = false;
    try {
        loaded = Load(maps_.Folder(), *entry, index);
    } catch (...) {
        AfterFailedExport();
        throw;
    }
    if (!loaded) AfterFailedExport();
}

void EntityEditor::AfterFailedExport() {
    // The memo kept a map's text: the list shows that map again.
    if (loaded_) return SelectLoaded();
    // Nothing the memo holds belongs to a map, so it shows nothing.
    memo_.SetText({});
    modified_ = false;
}

void EntityEditor::TellExportFailed(const std::string& reason) {
    prompt_.Tell(kErrorCaption, std::string(kExportFailed) + "\n" + reason);
}

EntityEditor::SaveOutcome EntityEditor::SaveLoaded() {
    if (!loaded_) return SaveOutcome::Kept;
    const std::string path = loaded_->entityPath;
    // Bytes that are not the text would change the map without a word.
    const MemoText text = memo_.Text();
    if (text.unstorable) {
        RefuseSave(UnstorableReason(*text.unstorable), text.unstorable->line);
        return SaveOutcome::Kept;
    }
    if (ToolReachesOtherMap(loaded_->folder, loaded_->entry, kSaveFailed)) return SaveOutcome::Kept;
    std::string expected = loaded_->identity ? loaded_->identity->token : std::string();
    if (ChangedOnDisk(*loaded_)) {
        switch (prompt_.Ask(kSaveCaption, kMapChanged)) {
        case Answer::Yes:
            expected.clear();  // into the map as it is now, as the user chose
            break;
        case Answer::No:
            Discard();
            return SaveOutcome::Discarded;
        case Answer::Cancel:
            return SaveOutcome::Kept;
        }
    }
    files_.Write(path, text.bytes);
    if (const ToolRun run = tool_.RunTool(ImportParameters(path, expected), loaded_->folder, kToolTimeout);
        !run.Succeeded()) {
        const std::string reason = ToolFailureReason(run, kToolTimeout);
        RefuseSave(reason, EntityLineIn(reason));
        return SaveOutcome::Kept;
    }
    // The text is in the map now; an emptied memo belongs to no map and must never be saved.
    loaded_.reset();
    memo_.SetText({});
    modified_ = false;
    prompt_.Tell("Успех", "Изменения сохранены!");
    files_.Delete(path);
    return SaveOutcome::Saved;
}

// A map that is gone is not asked about: the tool then says why it cannot save.
bool EntityEditor::ChangedOnDisk(const LoadedMap& map) {
    if (!map.identity) return false;
    const std::optional<FileStamp> stamp = files_.Stamp(map.MapPath());
    return stamp && *stamp != map.identity->stamp;
}

void EntityEditor::Discard() {
    loaded_.reset();
    memo_.SetText({});
    modified_ = false;
}

bool EntityEditor::ToolReachesOtherMap(const std::string& folder, const std::string& entry, std::string_view failure) {
    const std::string firstChoice = ToolsFirstMapChoice(entry);
    if (firstChoice == entry || !files_.Exists(folder + "\\" + firstChoice)) return false;
    prompt_.Tell(kErrorCaption, std::string(failure) + "\n" + "ripent.exe отнёс бы файл «" + EntityFileName(entry) +
                                    "» к карте «" + firstChoice + "», а не к «" + entry +
                                    "»; переименуйте одну из них.");
    return true;
}

void EntityEditor::RefuseSave(const std::string& reason, std::optional<int> line) {
    prompt_.Tell(kErrorCaption, std::string(kSaveFailed) + "\n" + reason);
    // After the message, so that the caret is where the user looks next.
    if (line) memo_.ShowLine(*line);
}

// Selection notices queued while an export ran all name the selection as it is by the time they
// are handled: the first of them loads it, and the rest find it shown already.
bool EntityEditor::Showing(int index) const {
    return loaded_ && index == lastIndex_ && maps_.Folder() == loaded_->folder && maps_.Entry(index) == loaded_->entry;
}

void EntityEditor::SelectLoaded() {
    // After the list was refilled from another folder, the loaded map may not be in it at all.
    maps_.Select(Showing(lastIndex_) ? lastIndex_ : -1);
}

}  // namespace lw::app
