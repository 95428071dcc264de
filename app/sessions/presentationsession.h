#pragma once

#include "studysession.h"

// A session that shows each question with its answer and asks nothing, so it records no score.
class PresentationSession : public StudySession {
public:
    using StudySession::StudySession;
    ~PresentationSession() override = default;
};
