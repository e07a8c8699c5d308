/* A host translation unit that sees nothing of the library but its public header. */
#include <Yarnly.h>

LRESULT onChatMessage(UINT message, WPARAM wParam, LPARAM lParam, YarnlySession mine)
{
    if ((YarnlySession)lParam != mine) {
        Yarnly_FreeMsg(message, (void*)wParam);
        return 0;
    }
    if (message == CHATMSG_MSG) {
        const ChatMsgRecord* record = (const ChatMsgRecord*)wParam;
        (void)record->text;
    }
    Yarnly_FreeMsg(message, (void*)wParam);
    return 0;
}
