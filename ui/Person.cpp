// SPDX-License-Identifier: MIT
#include "Person.h"

#include "BirthDateText.h"

namespace vitalune {

void readPerson(const HostFormPtr& form, std::function<void(const PersonRead&)> done) {
    form->readCaption(QStringLiteral("lblnasc"), [form, done](const HostRead& birth) {
        if (!birth.ok)
            return done(
                {{}, QStringLiteral("Não foi possível ler a data de nascimento: ") + birth.error});
        form->readCaption(QStringLiteral("lblnick"), [done, birth](const HostRead& nick) {
            if (!nick.ok)
                return done({{}, QStringLiteral("Não foi possível ler o apelido: ") + nick.error});
            const auto date = parseBirthDate(birth.text);
            if (!date)
                return done({{}, QStringLiteral("Data de nascimento inválida: ") + birth.text});
            done({Person{nick.text, *date}, {}});
        });
    });
}

} // namespace vitalune
