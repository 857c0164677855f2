// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <functional>
#include <memory>

namespace vitalune {

struct HostRead {
    bool ok = false;
    QString text;  // the Caption, when ok
    QString error; // the description of what went wrong, otherwise
};

// Read asynchronously so the window keeps painting; every read ends within seconds.
class HostForm {
public:
    virtual ~HostForm() = default;
    // Member empty: the form's own Caption. `done` once, maybe before this returns.
    virtual void readCaption(const QString& member, std::function<void(const HostRead&)> done) = 0;
};

using HostFormPtr = std::shared_ptr<HostForm>;

} // namespace vitalune
