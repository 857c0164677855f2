// SPDX-License-Identifier: MIT
#pragma once

#include "HostForm.h"

#include <QString>
#include <QVariant>

namespace vitalune {

// A Caption as text: numbers and booleans as their text, else an error naming the type.
HostRead captionFromValue(const QVariant& value);

// "/" or "/a/b_c" (ASCII letters, digits, '_'), and one element of such a path.
bool isValidObjectPath(const QString& path);
bool isValidPathElement(const QString& element);

// formPath/member, or the form itself for an empty member.
QString memberObjectPath(const QString& formPath, const QString& member);

} // namespace vitalune
