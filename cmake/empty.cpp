// An empty translation unit: keeps a library target valid while its folders hold no sources.
