// SPDX-License-Identifier: MIT
#pragma once

#include "Calendar.h"
#include "HostForm.h"

#include <QString>

#include <functional>
#include <optional>

namespace vitalune {

struct Person {
    QString nickname;
    Date birth;
};

// A person read from a host form, or the status-line text saying why it could not be read.
struct PersonRead {
    std::optional<Person> person;
    QString problem; // empty when `person` is set
};

// Reads lblnasc, then lblnick, until one fails; `done` once, maybe before this returns.
void readPerson(const HostFormPtr& form, std::function<void(const PersonRead&)> done);

} // namespace vitalune
