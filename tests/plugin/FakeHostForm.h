// SPDX-License-Identifier: MIT
#pragma once

#include "HostForm.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <utility>
#include <vector>

namespace vitalune::testing {

// A host form in memory. Reads answer at once, or wait for answerPending() when
// `deferred`; every read is recorded in `reads` ("" for the form's own Caption).
class FakeHostForm : public HostForm {
public:
    FakeHostForm(QString caption, QString birth, QString nick) {
        answers[""] = {true, std::move(caption), {}};
        answers["lblnasc"] = {true, std::move(birth), {}};
        answers["lblnick"] = {true, std::move(nick), {}};
    }

    void readCaption(const QString& member, std::function<void(const HostRead&)> done) override {
        reads << member;
        if (deferred) {
            pending.emplace_back(member, std::move(done));
            return;
        }
        done(answerFor(member));
    }

    HostRead answerFor(const QString& member) const {
        const auto found = answers.find(member);
        if (found == answers.end())
            return {false, {}, "No such object path '/forms/1/" + member + "'"};
        return found->second;
    }

    // Answers the reads that are waiting, in order; returns how many there were.
    int answerPending() {
        auto waiting = std::move(pending);
        pending.clear();
        for (auto& [member, done] : waiting)
            done(answerFor(member));
        return static_cast<int>(waiting.size());
    }

    std::map<QString, HostRead> answers;
    bool deferred = false;
    QStringList reads;
    std::vector<std::pair<QString, std::function<void(const HostRead&)>>> pending;
};

} // namespace vitalune::testing
