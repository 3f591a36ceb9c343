# Every image the game loads from resources.res/images, without the ".img" ending.
# Kept apart from artgen's own table so the build notices when the two disagree.
set(ART_IMAGES
  player green_player bonus goal wall
  old_player old_bonus old_wall old_goal old_enemy
  left up right down hole earth passonce_solid passonce_unsolid
  button_unpressed button_pressed speed_left speed_up speed_right speed_down
  updown rightleft key door metal_door
  dialog_button background dialogbox filebox fileback notify unlockables logo
  menu_button editor_button lvlsel_enabled lvlsel_disabled level_select
  new load save play peach_icon minimize maximize mainmenu_button
  music_off music_on help close close_hover inputbox file_highlight
  scroll_up scroll_down creditsbar
  collision big_collision star big_star peach_particle big_peachparticle
  key_particle big_keyparticle dirt big_dirt
  red_particle green_particle red_bigparticle green_bigparticle
  checked unchecked)

# Sizes of the desktop icon in the hicolor theme, each drawn at that size.
set(ART_ICON_SIZES 16 32 48 64 128 256)
