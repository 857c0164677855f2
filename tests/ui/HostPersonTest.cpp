// SPDX-License-Identifier: MIT
#include "ChartExport.h"
#include "Toolbar.h"
#include "WindowFixture.h"

#include <QSignalSpy>
#include <QTemporaryDir>

#include <map>

using namespace vitalune;

namespace {
// A host form whose member captions are set by the test; reads answer at once, or are
// held until the test releases them.
class FakeHostForm : public HostForm {
public:
    std::map<QString, QString> captions;
    bool holdReplies = false;
    std::vector<std::pair<QString, std::function<void(const HostRead&)>>> held;
    int reads = 0;

    void readCaption(const QString& member, std::function<void(const HostRead&)> done) override {
        ++reads;
        if (holdReplies) {
            held.emplace_back(member, std::move(done));
            return;
        }
        done(answer(member));
    }
    HostRead answer(const QString& member) const {
        const auto it = captions.find(member);
        if (it == captions.end())
            return {false, {}, QStringLiteral("No such object path '/forms/1/%1'").arg(member)};
        return {true, it->second, {}};
    }
    void releaseAll() {
        while (!held.empty()) {
            auto [member, done] = std::move(held.front());
            held.erase(held.begin());
            done(answer(member));
        }
    }
};

class HostPersonTest : public vitalune::testing::WindowFixture {
protected:
    std::shared_ptr<FakeHostForm> host(const QString& birth, const QString& nick) {
        auto form = std::make_shared<FakeHostForm>();
        form->captions = {{"lblnasc", birth}, {"lblnick", nick}};
        return form;
    }
    // The status line's whole text: a long one is cut short on screen and shown whole
    // when hovered.
    QString status() const {
        const QString whole = window->statusLine->toolTip();
        return whole.isEmpty() ? window->statusLine->text() : whole;
    }
    void run(std::shared_ptr<FakeHostForm> form, const QString& caption = "Ficha") {
        window->setPendingHost(std::move(form), !caption.isEmpty());
    }
};
} // namespace

TEST_F(HostPersonTest, ActivateReadsThePersonOnce) {
    auto form = host("05/06/1970", "Ana");
    run(form);
    window->readPendingPerson();
    EXPECT_EQ(birth(), (Date{5, 6, 1970}));
    EXPECT_EQ(window->birthDayLabel->text(), "5");
    EXPECT_EQ(window->birthMonthLabel->text(), "Junho");
    EXPECT_EQ(window->birthYearLabel->text(), "1970");
    EXPECT_EQ(window->windowTitle(), "Vitalune: Ana");
    EXPECT_FALSE(window->personPending());
    EXPECT_TRUE(window->chart().drawn);

    const int reads = form->reads;
    window->readPendingPerson();
    EXPECT_EQ(form->reads, reads);
}

TEST_F(HostPersonTest, HostDateIsJudgedAsAWholeWhileLoading) {
    run(host("30/05/1970", "Bia"));
    window->readPendingPerson(); // over 17/02/1959: day 30 must not meet February
    EXPECT_EQ(birth(), (Date{30, 5, 1970}));
    run(host("29/02/1960", "Caio"));
    window->readPendingPerson();
    EXPECT_EQ(birth(), (Date{29, 2, 1960}));
}

TEST_F(HostPersonTest, AcceptedSpellingsOfADate) {
    for (const char* text :
         {"5/6/1970", " 05-06-1970 ", "05.06.1970", "5 / 6 / 1970", "\t5-6.1970\n"}) {
        run(host(text, "Ana"));
        window->readPendingPerson();
        EXPECT_EQ(birth(), (Date{5, 6, 1970})) << text;
        window->birthYearStepper->setValue(1959);
    }
}

TEST_F(HostPersonTest, BadTextsKeepEverything) {
    for (const char* text :
         {"", "abc", "31/04/1970", "29/02/1959", "17/02/1899", "01/01/3001", "1970/06/05",
          "05/06/70", "5/6/1970x", "005/6/1970", "5/6/19700", "5//6/1970", "5\u00a0/6/1970",
          "٠٥/٠٦/١٩٧٠", "32/01/1970", "00/01/1970", "05/13/1970"}) {
        run(host(text, "Ana"));
        const QImage before = window->chartView->image();
        QSignalSpy finished(window.get(), &MainWindow::hostReadFinished);
        window->readPendingPerson();
        EXPECT_EQ(birth(), (Date{17, 2, 1959})) << text;
        EXPECT_EQ(window->birthMonthLabel->text(), "  Fevereiro") << text;
        EXPECT_EQ(window->windowTitle(), "Vitalune") << text;
        EXPECT_EQ(window->chartView->image(), before) << text;
        ASSERT_EQ(finished.count(), 1);
        EXPECT_FALSE(finished[0][0].toBool());
        EXPECT_FALSE(window->personPending()) << "a bad person is not read again";
    }
}

// After Ana, a form that cannot be read must not leave Ana's name over the chart, and
// the status line says what went wrong until a person is read.
TEST_F(HostPersonTest, AnUnreadablePersonNeverStandsUnderTheLastName) {
    struct Case {
        const char* birth;
        const char* missing; // member the form lacks, or nullptr
        QString status;
    };
    const std::vector<Case> cases = {
        {"31/02/2000", nullptr, "Data de nascimento inválida: 31/02/2000"},
        {"05/06/1970", "lblnick",
         "Não foi possível ler o apelido: No such object path '/forms/1/lblnick'"},
        {"05/06/1970", "lblnasc",
         "Não foi possível ler a data de nascimento: No such object path '/forms/1/lblnasc'"},
    };
    for (const Case& c : cases) {
        run(host("12/10/1985", "Ana"));
        window->readPendingPerson();
        ASSERT_EQ(window->windowTitle(), "Vitalune: Ana");
        EXPECT_EQ(status(), "");

        auto form = host(c.birth, "Bia");
        if (c.missing)
            form->captions.erase(c.missing);
        run(form);
        window->readPendingPerson();
        EXPECT_EQ(window->windowTitle(), "Vitalune") << c.birth;
        EXPECT_EQ(status(), c.status);
        EXPECT_FALSE(window->personPending());
        EXPECT_EQ(birth(), (Date{12, 10, 1985})) << "the dates stay, without a name";

        // A button's hover text replaces it for a while only.
        window->toolbar->setHoveredButton(window->helpButton);
        EXPECT_EQ(status(), "Ajuda");
        window->toolbar->setHoveredButton(nullptr);
        EXPECT_EQ(status(), c.status);
    }
    run(host("05/06/1970", "Caio"));
    window->readPendingPerson();
    EXPECT_EQ(window->windowTitle(), "Vitalune: Caio");
    EXPECT_EQ(status(), "");
}

TEST_F(HostPersonTest, ALongProblemIsCutShortBeforeTheCloseButton) {
    run(host(QString(200, u'9'), "Ana"));
    window->readPendingPerson();
    const QString whole = "Data de nascimento inválida: " + QString(200, u'9');
    EXPECT_LE(window->statusLine->geometry().right(), window->closeButton->x());
    EXPECT_EQ(window->statusLine->toolTip(), whole);
}

TEST_F(HostPersonTest, EmptyNicknameKeepsTheSeparatorBlank) {
    run(host("05/06/1970", ""));
    window->readPendingPerson();
    EXPECT_EQ(window->windowTitle(), "Vitalune: ");
}

TEST_F(HostPersonTest, NoPendingCaptionReadsNothing) {
    auto form = host("05/06/1970", "Ana");
    run(form, "");
    window->readPendingPerson();
    EXPECT_EQ(form->reads, 0);
    EXPECT_EQ(window->windowTitle(), "Vitalune");
}

TEST_F(HostPersonTest, ASecondRunDuringTheReadWins) {
    auto first = host("05/06/1970", "Ana");
    first->holdReplies = true;
    run(first);
    window->readPendingPerson();
    EXPECT_TRUE(window->readingHost());
    window->readPendingPerson(); // activations meanwhile start no second read
    EXPECT_EQ(first->reads, 1);

    run(host("12/10/1985", "Rui"));
    first->releaseAll();
    EXPECT_FALSE(window->readingHost());
    EXPECT_EQ(birth(), (Date{12, 10, 1985}));
    EXPECT_EQ(window->windowTitle(), "Vitalune: Rui");
    EXPECT_FALSE(window->personPending());
}

// The exported picture is the window as a host's person and the day leave it on screen;
// without a birth date, the window's own default.
TEST_F(HostPersonTest, ExportedPictureIsTheWindowsChart) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const auto& [birthText, birthDate] :
         {std::pair{QString("05/06/1970"), std::optional<Date>{Date{5, 6, 1970}}},
          std::pair{QString(), std::optional<Date>{}}}) {
        SCOPED_TRACE(birthText.toStdString());
        open(QDate(2026, 12, 7));
        if (birthDate) {
            run(host(birthText, "Ana"));
            window->readPendingPerson();
        }
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        const QImage shown = window->grab().toImage().convertToFormat(QImage::Format_RGB32);

        const QString file = dir.filePath("chart.png");
        ASSERT_EQ(exportChart({file, birthDate, Date{7, 12, 2026}, false}), "");
        const QImage exported(file);
        ASSERT_EQ(exported.size(), QSize(483, 308));
        EXPECT_EQ(exported.convertToFormat(QImage::Format_RGB32), shown);
    }
}
