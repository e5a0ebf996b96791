#pragma once
#include "app/core/EntitySeams.h"

namespace lw::app {

// The machine's files for the entity editor. Paths are UTF-8; failures throw
// platform::Exception with the text the general error report shows.
class EntityFiles : public FileSystem {
public:
    bool Exists(const std::string& path) override;
    std::optional<FileStamp> Stamp(const std::string& path) override;
    bool Delete(const std::string& path) override;
    std::string Read(const std::string& path) override;
    void Write(const std::string& path, const std::string& bytes) override;
};

}  // namespace lw::app
