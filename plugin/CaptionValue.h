// SPDX-License-Identifier: MIT
#pragma once

#include "HostForm.h"

#include <QString>
#include <QVariant>

namespace vitalune {

// Turns the value of a Caption read over D-Bus into the text the window uses: a string
// as it is, a number or a boolean as its text, anything else an error that names the
// property and the D-Bus type found.
HostRead captionFromValue(const QVariant& value);

// The D-Bus signature of a value as QtDBus demarshals it ("s", "as", "a{sv}", ...).
QString dbusSignatureOf(const QVariant& value);

// True for a well-formed D-Bus object path: "/" or "/a/b_c" (ASCII letters, digits, '_').
bool isValidObjectPath(const QString& path);
// True for one element of an object path.
bool isValidPathElement(const QString& element);

// The object that holds member `member` of the form at `formPath`: formPath/member, or
// the form itself for an empty member.
QString memberObjectPath(const QString& formPath, const QString& member);

} // namespace vitalune
