# The source folders of the core in layers, from the ground up. A file
# includes headers of its own folder and of lower layers only
# (check_core_layering.cmake); the core library is built from these folders.
set(CORE_LAYERS
  io         # the file-system layer
  text       # code points, encodings, 1-based string helpers
  model      # project, analysis model, check lists, workspace
  host       # the run host interface and the log texts
  project    # project, settings and user list files
  generate   # the generated files: code builders, read-back, writing
  analysis   # reading the forms and sources
  check      # constant check and bindings
  rewrite    # backup and renaming in the user's code
  run        # the pipeline and undo
)
# The front ends: one layer above the core; neither includes the other.
set(FRONT_ENDS cli app)
