#include "options/UnsavedSkinQuestion.h"

#include "platform/dialogs/DialogOwner.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>

#include <utility>

namespace {

UnsavedSkinAnswer AskInBox(const UnsavedSkinQuestion& question)
{
    QString text = QApplication::translate("UnsavedSkin", "The skin on the clock has changes that are not saved in %1.")
                       .arg(QDir::toNativeSeparators(question.skinFile));
    if (question.saveTarget != question.skinFile)
        text += QStringLiteral("\n\n")
            + QApplication::translate("UnsavedSkin", "It came with the program: \"Save\" keeps your changes in a copy, %1.")
                  .arg(QDir::toNativeSeparators(question.saveTarget));
    QMessageBox box(QMessageBox::Question, QApplication::applicationName(), text, QMessageBox::NoButton, DialogParent());
    QPushButton* save = box.addButton(QApplication::translate("UnsavedSkin", "&Save"), QMessageBox::AcceptRole);
    QPushButton* saveAs = box.addButton(QApplication::translate("UnsavedSkin", "Save &as..."), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(QApplication::translate("UnsavedSkin", "&Discard"), QMessageBox::DestructiveRole);
    QPushButton* goBack = box.addButton(QApplication::translate("UnsavedSkin", "&Go back"), QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(goBack);
    MakeModalToItsWindow(box);
    box.exec();
    const QAbstractButton* clicked = box.clickedButton();
    if (clicked == save)
        return UnsavedSkinAnswer::Save;
    if (clicked == saveAs)
        return UnsavedSkinAnswer::SaveAs;
    if (clicked == discard)
        return UnsavedSkinAnswer::Discard;
    return UnsavedSkinAnswer::GoBack;
}

UnsavedSkinPresenter& CurrentPresenter()
{
    static UnsavedSkinPresenter presenter = AskInBox;
    return presenter;
}

} // namespace

UnsavedSkinAnswer AskAboutUnsavedSkin(const UnsavedSkinQuestion& question)
{
    return CurrentPresenter()(question);
}

UnsavedSkinPresenter SetUnsavedSkinPresenter(UnsavedSkinPresenter presenter)
{
    return std::exchange(CurrentPresenter(), std::move(presenter));
}
