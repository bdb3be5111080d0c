#pragma once

#include "insert/CHtmlObject.h"

// The page's background sound tag for the head; name and value stay empty.
class CBgSoundObject : public CHtmlObject
{
public:
    // <bgsound src="..."> with loop="infinite" when looping.
    std::string GetHtml() const override;

    // The tag put at the caret to listen to a sound in the editor: <BGSOUND SRC="...">. The
    // path is the sound's full path; nothing is copied.
    static std::string GetListeningHtml(const std::string &path);

    std::string m_strSource;
    bool m_bLoop = false;
};
