#pragma once

// Told about a worker's progress: the configuration dialog shows the frame rate.
class RenderListener {
public:
    // On the worker thread, about once a second: frames drawn since the previous report.
    virtual void OnFrameRate(int frames) = 0;
    // On the user-interface thread, when the window showing the frames is activated.
    virtual void OnActivate() = 0;

protected:
    ~RenderListener() = default;
};
