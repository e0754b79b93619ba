#include "Scenario.h"

#include "User.h"

#include <emu/Picture.h>

#include <filesystem>

namespace {

using Kind = ScenarioCommand::Kind;

COrnTreeCtrl& TreeNamed(CDemoDlg& dlg, const std::string& name) {
    if (name == "catalog")
        return dlg.m_catalog;
    if (name == "files")
        return dlg.m_files;
    return dlg.m_options;
}

// The dialog's push button with that text, '&' left out, or that ID; NULL when there is none.
CWnd* ButtonNamed(CDemoDlg& dlg, const std::string& name) {
    bool bNumber = IsScenarioNumber(name);
    for (HWND hChild = ::GetWindow(dlg.m_hWnd, GW_CHILD); hChild != NULL;
         hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        char szClass[16] = "";
        ::GetClassNameA(hChild, szClass, sizeof szClass);
        UINT nType = static_cast<UINT>(::GetWindowLongA(hChild, GWL_STYLE)) & BS_TYPEMASK;
        if (std::string(szClass) != "Button" || (nType != BS_PUSHBUTTON && nType != BS_DEFPUSHBUTTON))
            continue;
        char szText[64] = "";
        ::GetWindowTextA(hChild, szText, sizeof szText);
        std::string text(szText);
        std::erase(text, '&');
        if (text == name || (bNumber && static_cast<UINT>(::GetDlgCtrlID(hChild)) == std::stoul(name)))
            return CWnd::FromHandle(hChild);
    }
    return nullptr;
}

} // namespace

bool RunScenario(CDemoDlg& dlg, EventLog& log, const std::vector<ScenarioCommand>& commands,
                 const std::string& outDir, ScenarioError& error, std::vector<std::string>& pictures) {
    UINT nPick = 0;
    emu::SetMenuResponder([&nPick](const emu::PopupMenuShown&) { return nPick; });
    bool bDone = true;
    int nEndLine = 0;
    for (const ScenarioCommand& command : commands) {
        if (nEndLine != 0) {
            error = {command.line,
                     "the dialog ended at line " + std::to_string(nEndLine) + ": no command can follow"};
            bDone = false;
            break;
        }
        auto item = [&](const std::string& tree, const std::string& path) -> HTREEITEM {
            COrnTreeCtrl& ctrl = TreeNamed(dlg, tree);
            HTREEITEM hItem = CDemoDlg::Find(ctrl, path);
            CRect rect;
            if (hItem == NULL)
                error = {command.line, "no item '" + path + "' in " + tree};
            else if (!ctrl.GetItemRect(hItem, &rect, TRUE))
                error = {command.line,
                         "item '" + path + "' in " + tree + " is not shown: expand its parent first"};
            return error.line == 0 ? hItem : NULL;
        };
        log.Write("line " + std::to_string(command.line) + ": " + command.source);
        HTREEITEM hItem = NULL;
        switch (command.kind) {
        case Kind::Say:
            break;
        case Kind::Click:
        case Kind::RightClick:
            if ((hItem = item(command.tree, command.path)) != NULL)
                CUser::Click(CUser::LabelPoint(TreeNamed(dlg, command.tree), hItem),
                             command.kind == Kind::Click ? emu::Button::Left : emu::Button::Right);
            break;
        case Kind::Expand:
            if ((hItem = item(command.tree, command.path)) != NULL)
                CUser::Click(CUser::ButtonPoint(TreeNamed(dlg, command.tree), hItem));
            break;
        case Kind::Check:
            if ((hItem = item(command.tree, command.path)) != NULL)
                CUser::Click(CUser::BoxPoint(TreeNamed(dlg, command.tree), hItem));
            break;
        case Kind::Menu:
            nPick = command.value;
            break;
        case Kind::Key:
            CUser::Key(command.value);
            break;
        case Kind::Text:
            CUser::Type(command.text.c_str());
            break;
        case Kind::Drag:
        case Kind::Copy: {
            HTREEITEM hTarget = NULL;
            if ((hItem = item(command.tree, command.path)) != NULL &&
                (hTarget = item(command.targetTree, command.targetPath)) != NULL)
                CUser::DragOnto(TreeNamed(dlg, command.tree), hItem, TreeNamed(dlg, command.targetTree),
                                hTarget, command.kind == Kind::Copy);
            break;
        }
        case Kind::Picture: {
            std::string path = (std::filesystem::path(outDir) / (command.text + ".png")).string();
            if (emu::SaveWindowPicture(dlg.m_hWnd, path))
                pictures.push_back(path);
            else
                error = {command.line, "cannot write " + path};
            break;
        }
        case Kind::Button:
            if (CWnd* pButton = ButtonNamed(dlg, command.text))
                CUser::Click(CUser::MiddleOf(*pButton));
            else
                error = {command.line, "no button '" + command.text + "' in the dialog"};
            break;
        case Kind::Tab:
            CUser::Tab(command.value != 0);
            break;
        }
        if (error.line != 0) {
            bDone = false;
            break;
        }
        if (!dlg.ContinueModal())
            nEndLine = command.line;
    }
    if (bDone && nEndLine == 0) {
        log.Write("end: a click on OK");
        if (CWnd* pOK = dlg.GetDlgItem(IDOK))
            CUser::Click(CUser::MiddleOf(*pOK));
    }
    emu::SetMenuResponder(nullptr);
    return bDone;
}
