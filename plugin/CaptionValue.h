// SPDX-License-Identifier: MIT
#pragma once

#include "HostForm.h"

#include <QString>
#include <QVariant>

namespace vitalune {

// A Caption read over D-Bus as text: a string as it is, a number or boolean as its text,
// anything else an error naming the D-Bus type found.
HostRead captionFromValue(const QVariant& value);

// "/" or "/a/b_c" (ASCII letters, digits, '_'), and one element of such a path.
bool isValidObjectPath(const QString& path);
bool isValidPathElement(const QString& element);

// formPath/member, or the form itself for an empty member.
QString memberObjectPath(const QString& formPath, const QString& member);

} // namespace vitalune
