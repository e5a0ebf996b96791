#pragma once
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lw::app {

// What the entity editor needs from the world, kept small so that tests can stand in for each
// piece. Paths and list entries are UTF-8; memo text and file contents are bytes in the system
// code page. Failures of file access throw an exception derived from std::exception whose text
// is the message for the user.

// A character of the memo that the system code page has no byte for.
struct UnstorableCharacter {
    std::string character;  // UTF-8
    std::uint32_t codePoint = 0;
    int line = 1;  // of the memo's text, from 1
};

// The memo's text as bytes of the system code page. When a character cannot be stored, the
// bytes are not the text, and `unstorable` names the first such character.
struct MemoText {
    std::string bytes;
    std::optional<UnstorableCharacter> unstorable;
};

class Memo {
public:
    virtual ~Memo() = default;
    virtual MemoText Text() const = 0;
    // Must report the change to the editor, as a change made by the user does.
    virtual void SetText(const std::string& text) = 0;
    // Puts the caret at the start of `line` (from 1) and scrolls it into view.
    virtual void ShowLine(int line) = 0;
};

class MapList {
public:
    virtual ~MapList() = default;
    // The folder the entries belong to: the folder field's text.
    virtual std::string Folder() const = 0;
    // The entry at `index`, or nothing when there is none.
    virtual std::optional<std::string> Entry(int index) const = 0;
    // Selects from the program: raises no click.
    virtual void Select(int index) = 0;
};

// How a run of the tool ended.
struct ToolRun {
    enum class End { Exited, NotStarted, TimedOut };
    End end = End::Exited;
    std::uint32_t exitCode = 0;
    // What the tool wrote to its standard error: UTF-8, one line for each failure.
    std::string errors;
    // What it wrote to its standard output: a line for what it did, and the map's identity.
    std::string output;

    bool Succeeded() const { return end == End::Exited && exitCode == 0; }
};

class Launcher {
public:
    virtual ~Launcher() = default;
    // Starts the tool with `parameters` in `workingFolder` and waits for it to end; one that
    // is still running after `timeout` is ended.
    virtual ToolRun RunTool(const std::string& parameters, const std::string& workingFolder,
                            std::chrono::milliseconds timeout) = 0;
};

// What the file system tells of a file without reading it: enough to notice that it was
// written again. `modified` is the last-write time in the units the tool reports it in.
struct FileStamp {
    std::uint64_t size = 0;
    std::uint64_t modified = 0;
    bool operator==(const FileStamp&) const = default;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;
    virtual bool Exists(const std::string& path) = 0;
    // Nothing when there is no such file.
    virtual std::optional<FileStamp> Stamp(const std::string& path) = 0;
    // True when the file is gone afterwards, also when there was none.
    virtual bool Delete(const std::string& path) = 0;
    virtual std::string Read(const std::string& path) = 0;
    // Creates or replaces the file with exactly these bytes.
    virtual void Write(const std::string& path, const std::string& bytes) = 0;
};

enum class Answer { Yes, No, Cancel };

// Modal message boxes owned by the main window. Texts are UTF-8.
class Prompt {
public:
    virtual ~Prompt() = default;
    // Yes, No and Cancel with the question icon; Yes is the default.
    virtual Answer Ask(std::string_view caption, std::string_view text) = 0;
    // One OK button.
    virtual void Tell(std::string_view caption, std::string_view text) = 0;
};

}  // namespace lw::app
