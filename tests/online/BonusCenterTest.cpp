#include "BonusCenterDlg.h"
#include "ScriptedServer.h"

#include "LoopbackHttpServer.h"
#include "ScriptedDialogs.h"
#include "TestEnvironment.h"

#include <QApplication>
#include <QComboBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <map>

namespace {
using Typed = std::map<std::string, QString>;

// The form's value controls are named after their query keys.
void Fill(CBonusCenterDlg& form, const Typed& typed)
{
    for (const auto& [key, text] : typed) {
        if (key == "bonustype")
            Child<QComboBox>(form, "bonustypeCombo").setEditText(text);
        else
            Child<QLineEdit>(form, (key + "Edit").c_str()).setText(text);
    }
}

Typed EveryField(const QString& text)
{
    Typed typed;
    for (const char* key : BonusClaim::kKeys)
        typed[key] = text;
    return typed;
}

Typed RequiredOnly()
{
    Typed typed;
    for (const char* key : {"name", "email", "pubname", "puburl", "archurl1", "subinst", "artpub1", "datepub1"})
        typed[key] = "r";
    return typed;
}

// The query of a request line as python's parse_qs decodes it.
QJsonObject DecodedByPython(const std::string& requestLine)
{
    QProcess python;
    python.start("python3", {"-c",
                             "import json, sys, urllib.parse\n"
                             "target = sys.argv[1].split(' ')[1]\n"
                             "print(json.dumps(urllib.parse.parse_qs(target.split('?', 1)[1], "
                             "keep_blank_values=True, errors='strict')))",
                             QString::fromLatin1(requestLine)});
    python.waitForFinished(20000);
    return QJsonDocument::fromJson(python.readAllStandardOutput()).object();
}

class BonusCenterTest : public ::testing::Test {
protected:
    BonusCenterTest() { env.PointServersAt(server.Port(), server.Port()); }

    // Sends the form with these fields; whether it closed.
    bool Send(const Typed& typed)
    {
        CBonusCenterDlg form;
        Fill(form, typed);
        Child<QPushButton>(form, "sendButton").click();
        return form.result() == QDialog::Accepted;
    }

    TestEnvironment env;
    LoopbackHttpServer server{[](const std::string&) { return LoopbackHttpServer::Answer("<p>thanks</p>"); }};
    ScopedMessageScript messages;
};

TEST_F(BonusCenterTest, ExampleClaimGoesOutByteForByteAndTheFormCloses)
{
    Typed typed = EveryField("x");
    typed["name"] = "a b";
    typed["pubname"] = "c d";
    EXPECT_TRUE(Send(typed));
    EXPECT_TRUE(messages.Shown().empty());
    EXPECT_EQ(server.Requests(),
              std::vector<std::string>{
                  "GET /cgi-bin/redeem.cgi?name=a+b&email=x&pubname=c+d&puburl=x&archurl1=x&archurl2=x&archurl3=x"
                  "&archurl4=x&subinst=x&artpub1=x&artpub2=x&artpub3=x&artpub4=x&datepub1=x&datepub2=x&datepub3=x"
                  "&datepub4=x&bonustype=x HTTP/1.0"});
}

TEST_F(BonusCenterTest, RequiredFieldsOnEitherPageMustBeFilledSpacesCount)
{
    for (const auto& [key, text] : RequiredOnly()) {
        Typed typed = RequiredOnly();
        typed[key] = "";
        EXPECT_FALSE(Send(typed)) << key;
    }
    ASSERT_EQ(messages.Shown().size(), 8u);
    EXPECT_EQ(messages.Shown()[0].caption, "Plumet Assistant");
    EXPECT_EQ(messages.Shown()[0].text,
              "You have left some fields blank.  Please fill them out in order for us to process your bonus.");
    EXPECT_TRUE(server.Requests().empty());

    Typed spaces = RequiredOnly();
    spaces["name"] = "  ";
    EXPECT_TRUE(Send(spaces));
    ASSERT_EQ(server.Requests().size(), 1u);
    EXPECT_EQ(server.Requests()[0],
              "GET /cgi-bin/redeem.cgi?name=++&email=r&pubname=r&puburl=r&archurl1=r&archurl2=&archurl3=&archurl4="
              "&subinst=r&artpub1=r&artpub2=&artpub3=&artpub4=&datepub1=r&datepub2=&datepub3=&datepub4=&bonustype="
              " HTTP/1.0");
}

TEST_F(BonusCenterTest, WhatIsTypedIsWhatTheServerDecodes)
{
    const Typed claims[] = {
        {{"name", "a&b=c%d+e #*\\"}, {"datepub1", "Jan 5"}, {"puburl", "http://x.example/a b?c=d"}},
        {{"name", QString::fromUtf8("Zo\u00eb Br\u00f6nte")}, {"bonustype", "Make my site \"Site of the Day\""}},
    };
    for (const Typed& claim : claims) {
        Typed typed = RequiredOnly();
        for (const auto& [key, text] : claim)
            typed[key] = text;
        ASSERT_TRUE(Send(typed));
        const QJsonObject decoded = DecodedByPython(server.Requests().back());
        for (const char* key : BonusClaim::kKeys)
            EXPECT_EQ(decoded.value(key).toArray().at(0).toString(), typed[key]) << key;
    }
}

TEST_F(BonusCenterTest, EnterInAFieldOrThePreferenceSendsTheForm)
{
    for (const char* field : {"emailEdit", "bonustypeCombo"}) {
        CBonusCenterDlg form;
        Fill(form, RequiredOnly());
        form.show();
        auto& tabs = Child<QTabWidget>(form, "bonusTabs");
        tabs.setCurrentIndex(std::string(field) == "emailEdit" ? 0 : 1);
        QWidget* target = form.findChild<QWidget*>(field);
        if (auto* combo = qobject_cast<QComboBox*>(target))
            target = combo->lineEdit();
        target->setFocus();
        QTest::keyClick(target, Qt::Key_Return);
        EXPECT_EQ(form.result(), QDialog::Accepted) << field;
    }
    EXPECT_EQ(server.Requests().size(), 2u);
}

TEST_F(BonusCenterTest, AClaimTooLongToSendIsRefusedAndTheFormStays)
{
    Typed typed = RequiredOnly();
    typed["subinst"] = QString(1100, 'x');
    EXPECT_FALSE(Send(typed));
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown()[0].text, "Your information is too long to be sent.  Please shorten some of the fields.");
    EXPECT_TRUE(server.Requests().empty());
}

TEST_F(BonusCenterTest, NoServerRunsTheBarToTheEndAndClosesSilently)
{
    env.PointServersAt(UnusedLoopbackPort(), UnusedLoopbackPort());
    // The progress window's label as the window goes.
    struct LastPercent : QObject {
        QString text;
        bool eventFilter(QObject* watched, QEvent* event) override
        {
            if (event->type() == QEvent::Hide && watched->objectName() == "ProgressDlg")
                text = static_cast<QWidget*>(watched)->findChild<QLabel*>("percentLabel")->text();
            return false;
        }
    } lastPercent;
    qApp->installEventFilter(&lastPercent);
    EXPECT_TRUE(Send(RequiredOnly()));
    qApp->removeEventFilter(&lastPercent);
    EXPECT_EQ(lastPercent.text, QStringLiteral("100%"));
    EXPECT_TRUE(messages.Shown().empty());
}

TEST(BonusCenter, NextAndTheTabsSwitchPagesAndThePreferencesAreSorted)
{
    CBonusCenterDlg form;
    form.show();
    auto& tabs = Child<QTabWidget>(form, "bonusTabs");
    auto& next = Child<QPushButton>(form, "nextButton");
    ASSERT_EQ(tabs.count(), 2);
    EXPECT_EQ(tabs.tabText(0), QStringLiteral("Bonus Information"));
    EXPECT_EQ(tabs.tabText(1), QStringLiteral("Options"));
    const auto pageShown = [&](int page) {
        return Child<QLineEdit>(form, "nameEdit").isVisible() == (page == 0) && next.isVisible() == (page == 0)
               && Child<QLineEdit>(form, "subinstEdit").isVisible() == (page == 1)
               && Child<QComboBox>(form, "bonustypeCombo").isVisible() == (page == 1);
    };
    EXPECT_TRUE(pageShown(0));
    next.click();
    EXPECT_EQ(tabs.currentIndex(), 1);
    EXPECT_TRUE(pageShown(1));
    next.click();
    EXPECT_EQ(tabs.currentIndex(), 1);
    tabs.setCurrentIndex(0);
    EXPECT_TRUE(pageShown(0));
    next.click();
    EXPECT_TRUE(pageShown(1));

    auto& combo = Child<QComboBox>(form, "bonustypeCombo");
    EXPECT_TRUE(combo.isEditable());
    QStringList entries;
    for (int i = 0; i < combo.count(); ++i)
        entries << combo.itemText(i);
    EXPECT_EQ(entries, (QStringList{"Make my site \"Site of the Day\" in Deskquill",
                                    "Make my software \"Download of the day\" in Deskquill",
                                    "Publish my \"Tip of the Day\" in Deskquill",
                                    "Publish one of my articles in Deskquill"}));
    EXPECT_EQ(combo.currentText(), QString());
}
}  // namespace
