#pragma once

#include "studysession.h"

// A session in which the user types the answer to each question.
class QnaSession : public StudySession {
public:
    using StudySession::StudySession;
    ~QnaSession() override = default;
};
